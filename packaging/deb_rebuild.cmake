# Run by cpack after it writes each package. The .deb is unpacked and packed again by dpkg-deb with
# the field that cpack cannot write, Static-Built-Using (what the static link put into the
# program, read at configuration), and with dpkg-deb's own archive headers: cpack's keep the modes
# that the umask gave its member files, dpkg-deb's do not, so the bytes do not depend on it.
block() # the variables of the scripts run after this one stay as cpack set them
  list(FILTER CPACK_PACKAGE_FILES INCLUDE REGEX "\\.deb$")
  foreach(package IN LISTS CPACK_PACKAGE_FILES)
    set(CPACK_TEMPORARY_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}/deb_tree")
    set(control "${CPACK_TEMPORARY_DIRECTORY}/DEBIAN/control")
    file(REMOVE_RECURSE "${CPACK_TEMPORARY_DIRECTORY}")
    execute_process(COMMAND dpkg-deb -R "${package}" "${CPACK_TEMPORARY_DIRECTORY}"
                    COMMAND_ERROR_IS_FATAL ANY)
    if(CPACK_ZORVIC_STATIC_BUILT_USING)
      file(READ "${control}" fields)
      string(STRIP "${fields}" fields) # one paragraph: no empty line before the new field
      file(WRITE "${control}" "${fields}\nStatic-Built-Using: ${CPACK_ZORVIC_STATIC_BUILT_USING}\n")
    endif()
    # Modes as a umask of 022 gives them, times those of the package, whatever the umask and clock.
    include("${CPACK_ZORVIC_SOURCE_DIR}/packaging/set_times.cmake")
    execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --threads-max=1
                            -b "${CPACK_TEMPORARY_DIRECTORY}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${CPACK_TEMPORARY_DIRECTORY}")
  endforeach()
endblock()
