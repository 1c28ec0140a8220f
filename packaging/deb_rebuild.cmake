# Run by cpack after it writes each package. The .deb is unpacked and packed again by dpkg-deb with
# the field that cpack cannot write, Static-Built-Using (what the static link put into the
# program, read at configuration), and with dpkg-deb's own archive headers: cpack's keep the modes
# that the umask gave its member files, dpkg-deb's do not, so that the bytes do not depend on it.
block() # the variables of the scripts run after this one stay as cpack set them
  set(tree "${CPACK_TOPLEVEL_DIRECTORY}/deb_tree")
  set(control "${tree}/DEBIAN/control")
  list(FILTER CPACK_PACKAGE_FILES INCLUDE REGEX "\\.deb$")
  foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    if(CPACK_ZORVIC_STATIC_BUILT_USING)
      file(READ "${control}" fields)
      string(STRIP "${fields}" fields) # one paragraph: no empty line before the new field
      file(WRITE "${control}" "${fields}\nStatic-Built-Using: ${CPACK_ZORVIC_STATIC_BUILT_USING}\n")
    endif()
    # dpkg-deb keeps the modes that it unpacked and takes no time past SOURCE_DATE_EPOCH.
    execute_process(COMMAND dpkg-deb --root-owner-group -Zxz -b "${tree}" "${package}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
  endforeach()
endblock()
