# Read by cpack for every package it makes. Every time in a package is SOURCE_DATE_EPOCH, or the
# time of the source tree's last commit when it is unset, or, in a source tree without git
# history, the time of the changelog's newest entry; so two builds of the same sources give the
# same bytes. rpmbuild, which cpack starts, takes the time from the same variable.
# A .zip keeps local times: they are those of UTC, whatever the zone of the build.
set(ENV{TZ} UTC0)
set(changelog "${CPACK_ZORVIC_SOURCE_DIR}/packaging/changelog")
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  # Whoever owns the tree: git refuses one that another user owns (a container's checkout) unless
  # told that it is safe, and only the commit's time is read from it. Only the tree's own history
  # counts, not that of a repository it was unpacked in.
  set(time git -c safe.directory=* log -1 --format=%ct)
  if(NOT EXISTS "${CPACK_ZORVIC_SOURCE_DIR}/.git")
    set(time dpkg-parsechangelog -l "${changelog}" -S Timestamp)
  endif()
  execute_process(COMMAND ${time} WORKING_DIRECTORY "${CPACK_ZORVIC_SOURCE_DIR}"
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
# The .rpm's changelog is the Debian one: each entry's "* DAY MON DD YYYY MAINTAINER -
# VERSION-RELEASE" line, then its items as "- " lines (rpm expands % in them unless doubled).
if(CPACK_GENERATOR STREQUAL "RPM")
  execute_process(COMMAND dpkg-parsechangelog -l "${changelog}" --all --format rfc822
                  COMMAND awk [[
      /^Version: / { version = $2 }
      /^Maintainer: / { sub(/^Maintainer: /, ""); maintainer = $0 }
      /^Date: / { sub(/,$/, "", $2); day = $2 " " $4 " " $3 " " $5 }
      /^Changes:/ { printf "%s* %s %s - %s\n", n++ ? "\n" : "", day, maintainer, version }
      /^   / { gsub(/%/, "%%"); sub(/^   [*]/, "-"); sub(/^   /, ""); print }]]
                  OUTPUT_FILE "${CPACK_RPM_CHANGELOG_FILE}" COMMAND_ERROR_IS_FATAL ANY)
endif()

# Each package takes the files common to all and its own: the .deb its zsh completion where
# Debian's zsh looks, its lintian overrides, changelog and notices, the .rpm its zsh completion
# where the zsh of rpm-based systems looks, the tarball, to be unpacked anywhere, its zsh
# completion where zsh looks under any prefix.
# The .rpm and the tarball take the changelog and notices of cmake --install, the .deb its own.
if(CPACK_GENERATOR MATCHES "^(DEB|RPM|TGZ)$")
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ZORVIC_BINARY_DIR};zorvicxlsim;Unspecified;/"
                                   "${CPACK_ZORVIC_BINARY_DIR};zorvicxlsim;${CPACK_GENERATOR};/")
  if(NOT CPACK_GENERATOR STREQUAL "DEB")
    list(APPEND CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ZORVIC_BINARY_DIR};zorvicxlsim;docs;/")
  endif()
endif()
if(CPACK_GENERATOR STREQUAL "DEB" AND DEFINED CPACK_ZORVIC_NO_RPM_MESSAGE)
  message(STATUS "${CPACK_ZORVIC_NO_RPM_MESSAGE}")
endif()
