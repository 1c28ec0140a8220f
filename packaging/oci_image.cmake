# Run by cpack after each generator: beside the tarball, the container image of the program it
# holds (the stripped program of every package), by packaging/oci_image.sh. Without umoci the
# image is skipped with a message, and the packages are made all the same.
if(NOT CPACK_GENERATOR STREQUAL "TGZ")
  return()
endif()
find_program(UMOCI umoci)
if(NOT UMOCI)
  message(STATUS "umoci not found (apt-get install umoci): no container image")
  return()
endif()
list(FILTER CPACK_PACKAGE_FILES INCLUDE REGEX "\\.tar\\.gz$")
set(unpacked "${CPACK_TOPLEVEL_DIRECTORY}/oci_program")
file(REMOVE_RECURSE "${unpacked}")
file(ARCHIVE_EXTRACT INPUT "${CPACK_PACKAGE_FILES}" DESTINATION "${unpacked}" PATTERNS */bin/zorvicxlsim)
file(GLOB program "${unpacked}/*/bin/zorvicxlsim")
set(archive "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-linux-${CPACK_ZORVIC_IMAGE_ARCH}.oci.tar")
execute_process(COMMAND bash "${CPACK_ZORVIC_SOURCE_DIR}/packaging/oci_image.sh" "${program}"
                        "${CPACK_ZORVIC_IMAGE_ARCH}" "${CPACK_PACKAGE_VERSION}" "${archive}"
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${unpacked}")
message(STATUS "container image: ${archive}")
