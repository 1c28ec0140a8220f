# Run by cpack between staging and packing: every staged file and folder gets the time of
# SOURCE_DATE_EPOCH, which the archive generators would otherwise take from the build.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${CPACK_TEMPORARY_DIRECTORY}"
                        ${staged} COMMAND_ERROR_IS_FATAL ANY)
