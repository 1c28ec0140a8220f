# Read by cpack for every package it makes. Every time in a package is SOURCE_DATE_EPOCH, or the
# time of the source tree's last commit when it is unset, or, in a source tree without git
# history, the time of the changelog's newest entry; so two builds of the same sources give the
# same bytes. rpmbuild, which cpack starts, takes the time from the same variable.
# A .zip keeps local times: they are those of UTC, whatever the zone of the build.
set(ENV{TZ} UTC0)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch ${CPACK_ZORVIC_CHANGELOG_EPOCH})
  # Only the source tree's own history: a tree unpacked inside another repository has none.
  execute_process(COMMAND git rev-parse --show-toplevel
                  WORKING_DIRECTORY "${CPACK_ZORVIC_SOURCE_DIR}" OUTPUT_VARIABLE top
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${CPACK_ZORVIC_SOURCE_DIR}" source)
    if(top STREQUAL source)
      execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${source}"
                      OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(commit_time MATCHES "^[0-9]+$")
        set(epoch ${commit_time})
      endif()
    endif()
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()

# Each package takes the files common to all and its own: the .deb its zsh completion where
# Debian's zsh looks and its lintian overrides, the .rpm its zsh completion where the zsh of
# rpm-based systems looks and its licence, the tarball, to be unpacked anywhere, its zsh
# completion where zsh looks under any prefix.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(own deb)
  if(DEFINED CPACK_ZORVIC_NO_RPM_MESSAGE)
    message(STATUS "${CPACK_ZORVIC_NO_RPM_MESSAGE}")
  endif()
elseif(CPACK_GENERATOR STREQUAL "RPM")
  set(own rpm)
elseif(CPACK_GENERATOR STREQUAL "TGZ")
  set(own tarball)
endif()
if(DEFINED own)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ZORVIC_BINARY_DIR};zorvicxlsim;Unspecified;/"
                                   "${CPACK_ZORVIC_BINARY_DIR};zorvicxlsim;${own};/")
endif()
