# Run by cpack after it writes each package. A .deb is an ar archive whose members cpack writes
# as files first, with the modes that the umask gives them, and whose headers keep those modes:
# each member's mode becomes 0644, as under a umask of 022, so that the bytes do not depend on it.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${package}" size)
  file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/member_mode" "100644  ")
  set(offset 8) # after "!<arch>\n"
  while(offset LESS size)
    # A header: name (16 bytes), time (12), owner (6), group (6), mode (8), size (10), "`\n".
    file(READ "${package}" header OFFSET ${offset} LIMIT 60)
    string(SUBSTRING "${header}" 48 10 member_size)
    string(STRIP "${member_size}" member_size)
    math(EXPR mode_offset "${offset} + 40")
    execute_process(COMMAND dd "of=${package}" bs=1 seek=${mode_offset} conv=notrunc status=none
                    INPUT_FILE "${CPACK_TOPLEVEL_DIRECTORY}/member_mode" COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR offset "${offset} + 60 + ${member_size} + ${member_size} % 2")
  endwhile()
endforeach()
