# Run by cpack between staging and packing, for every package: every staged file and folder gets
# the time of SOURCE_DATE_EPOCH, which the archive generators would otherwise take from the build,
# and the modes that a umask of 022 gives, whatever the umask of the build: cpack creates some
# folders itself, and the build writes some of the files it installs.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND chmod -R u+w,go-w,go+rX "${CPACK_TEMPORARY_DIRECTORY}"
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${CPACK_TEMPORARY_DIRECTORY}"
                        ${staged} COMMAND_ERROR_IS_FATAL ANY)
