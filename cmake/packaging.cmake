# Installation and packages. Linux: the program, its man page, bash, zsh and fish completion,
# changelog and copyright, packed by cpack as .deb, .rpm and .tar.gz. Windows: a .zip of the
# program, the README and the licence. Packages rebuild bit for bit (packaging/).
set(CPACK_PACKAGE_NAME zorvicxlsim)
set(CPACK_PACKAGE_VENDOR "The zorvicxlsim authors")
set(CPACK_PACKAGE_CONTACT "The zorvicxlsim authors <maintainers@zorvicxlsim.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "zorvicxlsim writes the device lists and firmware-update results of a CXL memory\n"
    "device utility, as text tables or PIE XML documents, without probing hardware\n"
    "or writing firmware, so that fleet inventory and update tooling can be built\n"
    "and tested without hardware.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zorvicxlsim.org")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_ZORVIC_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_options.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/set_times.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/deb_rebuild.cmake)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${ZORVIC_PLATFORM})
# What the static link puts into the program, from the build machine's packages (SOURCE, VERSION,
# LICENCE, PACKAGES, LIBRARIES a line), for the packages' fields and the release's SBOM; and from
# them the licence notices that every package and the image carry.
separate_arguments(link_flags UNIX_COMMAND "${CMAKE_EXE_LINKER_FLAGS}")
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/static_components.sh ${CMAKE_CXX_COMPILER}
                ${link_flags} OUTPUT_FILE ${PROJECT_BINARY_DIR}/static_components.tsv RESULT_VARIABLE failed)
if(failed) # none rather than some: a release stops at an empty list
  file(WRITE ${PROJECT_BINARY_DIR}/static_components.tsv "")
  message(WARNING "No static components read from dpkg: the packages declare none")
endif()
# And the compiler's and linker's packages, which the bill of materials names as its build tools.
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/build_tools.sh ${CMAKE_CXX_COMPILER}
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/build_tools.tsv)
# The notices whole (notices.txt), and the .deb's copyright file, without the licence texts that
# Debian systems have in /usr/share/common-licenses.
set(notices bash ${PROJECT_SOURCE_DIR}/packaging/notices.sh ${PROJECT_SOURCE_DIR}/LICENSE
    ${PROJECT_BINARY_DIR}/static_components.tsv ${PROJECT_VERSION})
execute_process(COMMAND ${notices} texts OUTPUT_FILE ${PROJECT_BINARY_DIR}/notices.txt COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${notices} OUTPUT_FILE ${PROJECT_BINARY_DIR}/copyright COMMAND_ERROR_IS_FATAL ANY)
# The package revision, which a rebuild of the same version raises: the changelog's newest entry's.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog revision REGEX "^zorvicxlsim \\(" LIMIT_COUNT 1)
string(REGEX REPLACE "^[^(]*\\([^-]*-([0-9]+)\\).*" "\\1" ZORVIC_REVISION "${revision}")
# The release's SBOM, installed with the documentation when the release names it.
set(ZORVIC_SBOM "" CACHE FILEPATH "SPDX document of the release, installed with the documentation")

if(WIN32)
  # The manual as plain text with Windows line ends, beside the program.
  add_custom_command(OUTPUT zorvicxlsim.txt DEPENDS doc/zorvicxlsim.1 VERBATIM COMMAND groff -man
    -Tascii -P-cbou ${PROJECT_SOURCE_DIR}/doc/zorvicxlsim.1 | sed s/$/\r/ > zorvicxlsim.txt)
  add_custom_target(manual_text ALL DEPENDS zorvicxlsim.txt)
  install(TARGETS zorvicxlsim RUNTIME DESTINATION .)
  install(FILES README.md LICENSE ${PROJECT_BINARY_DIR}/zorvicxlsim.txt DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/notices.txt DESTINATION . RENAME COPYRIGHT.txt)
  if(ZORVIC_SBOM)
    install(FILES ${ZORVIC_SBOM} DESTINATION . RENAME zorvicxlsim.spdx.json)
  endif()
  # The release signs the program between the build and cpack: it is stripped when linked, and
  # cpack leaves it as it is.
  set(CPACK_STRIP_FILES OFF)
  # Beside the .zip, the .msi of the same files (packaging/msi.cmake).
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/msi.cmake)
  set(CPACK_GENERATOR ZIP)
  include(CPack)
  return()
endif()

# Distributions ship man pages and changelogs compressed, without a name or time in the header.
foreach(file doc/zorvicxlsim.1 packaging/changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n < ${PROJECT_SOURCE_DIR}/${file} > ${name}.gz
                     DEPENDS ${file} VERBATIM)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})

set(share ${CMAKE_INSTALL_DATADIR})
install(TARGETS zorvicxlsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/zorvicxlsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The changelog and the notices, but in the .deb, which names its changelog as Debian does that of
# a package with a revision and whose notices refer to the licence texts of the system.
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT docs)
install(FILES ${PROJECT_BINARY_DIR}/notices.txt DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright
        COMPONENT docs)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME changelog.Debian.gz COMPONENT DEB EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT DEB
        EXCLUDE_FROM_ALL)
if(ZORVIC_SBOM)
  install(FILES ${ZORVIC_SBOM} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME zorvicxlsim.spdx.json)
endif()
install(FILES completions/zorvicxlsim.bash DESTINATION ${share}/bash-completion/completions
        RENAME zorvicxlsim)
# fish reads vendor_completions.d under each folder of XDG_DATA_DIRS (by default only its own,
# /usr/share), whatever the system.
install(FILES completions/zorvicxlsim.fish DESTINATION ${share}/fish/vendor_completions.d)
# zsh reads share/zsh/site-functions under its own prefix and under /usr/local, but Debian's zsh
# (Ubuntu's too) reads /usr/share/zsh/vendor-completions and not /usr/share/zsh/site-functions.
# Which of them the prefix given to `cmake --install`, and the system, need is known only then.
# Each package takes its own (packaging/cpack_options.cmake).
set(zsh_completion ${PROJECT_SOURCE_DIR}/completions/_zorvicxlsim)
install(CODE "set(zsh_completion \"${zsh_completion}\")\nset(share \"${share}\")" COMPONENT zsh)
install(CODE [[
  cmake_path(SET prefix NORMALIZE "${CMAKE_INSTALL_PREFIX}/")
  if(prefix STREQUAL "/usr/" AND EXISTS /etc/debian_version)
    set(folder vendor-completions)
  else()
    set(folder site-functions)
  endif()
  file(INSTALL "${zsh_completion}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${share}/zsh/${folder}")
]] COMPONENT zsh)
# Each package's own files, in a component named after its generator.
install(FILES ${zsh_completion} DESTINATION ${share}/zsh/vendor-completions COMPONENT DEB
        EXCLUDE_FROM_ALL)
install(FILES packaging/lintian-overrides DESTINATION ${share}/lintian/overrides
        RENAME zorvicxlsim COMPONENT DEB EXCLUDE_FROM_ALL)
install(FILES ${zsh_completion} DESTINATION ${share}/zsh/site-functions COMPONENT RPM
        EXCLUDE_FROM_ALL)
install(FILES ${zsh_completion} DESTINATION ${share}/zsh/site-functions COMPONENT TGZ
        EXCLUDE_FROM_ALL)

# The .rpm needs rpmbuild (Debian's rpm package brings it); without it the other packages are
# still made.
# On PATH only, so that hiding it from PATH shows what a machine without it gets.
find_program(ZORVIC_RPMBUILD rpmbuild NO_CMAKE_SYSTEM_PATH)
set(CPACK_GENERATOR "DEB;RPM;TGZ")
if(NOT ZORVIC_RPMBUILD)
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_ZORVIC_NO_RPM_MESSAGE
      "rpmbuild not found: cpack makes no .rpm (Debian's rpm package brings rpmbuild)")
  message(STATUS "${CPACK_ZORVIC_NO_RPM_MESSAGE}")
endif()
set(CPACK_ZORVIC_BINARY_DIR ${PROJECT_BINARY_DIR})
# For the target processor, not the one building (cpack would ask dpkg and uname about that):
# rpm names it as the kernel does, Debian by names of its own, which dpkg knows.
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${CMAKE_SYSTEM_PROCESSOR})
execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -q DEB_HOST_ARCH
                OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE)
# Compressed with xz (the .deb by packaging/deb_rebuild.cmake): dpkg and rpm read it since long
# before the oldest systems the packages are for (Debian 11, RHEL 8), whereas zstd is new to both.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE ${ZORVIC_REVISION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZORVIC_REVISION})
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_PACKAGE_RELOCATABLE OFF)
# What the static link put into the program, where each family looks for it: the .deb's
# Static-Built-Using (packaging/deb_rebuild.cmake), the .rpm's bundled(SOURCE) = VERSION, and
# their licences in the .rpm's.
file(STRINGS ${PROJECT_BINARY_DIR}/static_components.tsv static_components)
set(licences MIT)
foreach(component IN LISTS static_components)
  string(REGEX MATCH "^([^\t]+)\t([^\t]+)\t([^\t]+)" component "${component}")
  list(APPEND built_using "${CMAKE_MATCH_1} (= ${CMAKE_MATCH_2})")
  list(APPEND bundled "bundled(${CMAKE_MATCH_1}) = ${CMAKE_MATCH_2}")
  list(APPEND licences "${CMAKE_MATCH_3}")
endforeach()
list(REMOVE_DUPLICATES licences)
list(JOIN licences " AND " CPACK_RPM_PACKAGE_LICENSE)
list(JOIN built_using ", " CPACK_ZORVIC_STATIC_BUILT_USING)
list(JOIN bundled ", " CPACK_RPM_PACKAGE_PROVIDES)
set(CPACK_RPM_PACKAGE_AUTOREQ ON)
set(CPACK_RPM_PACKAGE_AUTOPROV OFF)
set(CPACK_RPM_COMPRESSION_TYPE xz)
set(CPACK_RPM_USER_BINARY_SPECFILE ${PROJECT_SOURCE_DIR}/packaging/rpm_recipe.in)
set(CPACK_RPM_CHANGELOG_FILE ${PROJECT_BINARY_DIR}/rpm_changelog) # written by cpack_options.cmake
set(CPACK_RPM_USER_FILELIST "%license /usr/share/doc/zorvicxlsim/copyright")
# Folders that a system package owns on every rpm-based system (filesystem); the package owns
# its own and the shells' completion folders, whose owners (bash-completion, zsh, fish) it does
# not require.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1)
# A static program needs nothing: the one requirement rpm still finds in it, rtld(GNU_HASH), names
# the dynamic loader, which it does not use. rpmbuild leaves the files as cpack stripped them
# (its own strip takes .comment out), so that the program is the same file in every package.
set(CPACK_RPM_SPEC_MORE_DEFINE
    "%global __requires_exclude ^rtld[(]GNU_HASH[)]$\n%define packager ${CPACK_PACKAGE_CONTACT}\n%define _buildhost reproducible\n%define use_source_date_epoch_as_buildtime 1\n%define clamp_mtime_to_source_date_epoch 1\n%define _build_id_links none\n%define __os_install_post %{nil}")
include(CPack)
