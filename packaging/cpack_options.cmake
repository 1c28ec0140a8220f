# Read by cpack for every package it makes. Every time in a package is SOURCE_DATE_EPOCH, or the
# time of the source tree's last commit when it is unset, so that two builds of the same commit
# give the same bytes; rpmbuild, which cpack starts, takes the time from the same variable.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CPACK_ZORVIC_SOURCE_DIR}"
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR epoch STREQUAL "")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is unset and the source tree has no commit to take it from")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
