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
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_ZORVIC_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_options.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/set_times.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/oci_image.cmake)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  install(TARGETS zorvicxlsim RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
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
file(READ LICENSE license_text)
file(WRITE ${PROJECT_BINARY_DIR}/copyright
     "zorvicxlsim\nCopyright (C) 2026 The zorvicxlsim authors\nLicense: MIT\n\n${license_text}")

set(share ${CMAKE_INSTALL_DATADIR})
install(TARGETS zorvicxlsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/zorvicxlsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_BINARY_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES completions/zorvicxlsim.bash DESTINATION ${share}/bash-completion/completions
        RENAME zorvicxlsim)
install(FILES completions/_zorvicxlsim DESTINATION ${share}/zsh/vendor-completions)
install(FILES completions/zorvicxlsim.fish DESTINATION ${share}/fish/vendor_completions.d)

set(CPACK_GENERATOR "DEB;RPM;TGZ")
# Container images name architectures as Debian does.
set(CPACK_ZORVIC_IMAGE_ARCH ${CMAKE_SYSTEM_PROCESSOR})
list(TRANSFORM CPACK_ZORVIC_IMAGE_ARCH REPLACE "^x86_64$" amd64)
list(TRANSFORM CPACK_ZORVIC_IMAGE_ARCH REPLACE "^aarch64$" arm64)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "Development/Tools")
set(CPACK_RPM_PACKAGE_URL "https://zorvicxlsim.org")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_PACKAGE_AUTOREQ ON)
set(CPACK_RPM_PACKAGE_AUTOPROV OFF)
# Folders the system's own packages own; the package owns only its own.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/share/man /usr/share/man/man1 /usr/share/bash-completion
    /usr/share/bash-completion/completions /usr/share/zsh /usr/share/zsh/vendor-completions
    /usr/share/fish /usr/share/fish/vendor_completions.d)
set(CPACK_RPM_SPEC_MORE_DEFINE
    "%define packager ${CPACK_PACKAGE_CONTACT}\n%define _buildhost reproducible\n%define use_source_date_epoch_as_buildtime 1\n%define clamp_mtime_to_source_date_epoch 1\n%define _build_id_links none")
include(CPack)
