# Run by cpack after the .zip: beside it the .msi of the same staged files, made by wixl (msitools)
# from packaging/zorvicxlsim.wxs.in. What wixl cannot be told is set after it: msibuild adds the
# Environment table that puts the program's folder on the system PATH and the program's file version
# and language, and sets the package code; faketime gives both SOURCE_DATE_EPOCH as the time they
# write, so that the .msi rebuilds bit for bit. The upgrade code stays the same for every version;
# the product code is named by the version and the package code by the program too. A test version
# is given to cpack as
# -D CPACK_PACKAGE_VERSION=VERSION -D CPACK_PACKAGE_FILE_NAME=zorvicxlsim-VERSION-windows-amd64.
set(upgrade_code 5F0C2B7E-3D1A-4C8E-9B62-7A4E1D93C0F5)
string(UUID product_code NAMESPACE ${upgrade_code} NAME ${CPACK_PACKAGE_VERSION} TYPE SHA1 UPPER)
file(SHA256 "${CPACK_TEMPORARY_DIRECTORY}/zorvicxlsim.exe" program_hash)
string(UUID package_code NAMESPACE ${product_code} NAME ${program_hash} TYPE SHA1 UPPER)
# Beside the program, every other staged file: the manual, README, licence and SBOM.
file(GLOB documents RELATIVE "${CPACK_TEMPORARY_DIRECTORY}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(REMOVE_ITEM documents zorvicxlsim.exe)
foreach(name IN LISTS documents)
  string(MAKE_C_IDENTIFIER "${name}" id)
  string(APPEND files "\n            <File Id=\"${id}\" Name=\"${name}\" Source=\"${name}\"/>")
endforeach()
configure_file(${CPACK_ZORVIC_SOURCE_DIR}/packaging/zorvicxlsim.wxs.in ${CPACK_TEMPORARY_DIRECTORY}.wxs @ONLY)
set(msi "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
execute_process(COMMAND faketime @$ENV{SOURCE_DATE_EPOCH} wixl -a x64 -o ${msi} ${CPACK_TEMPORARY_DIRECTORY}.wxs
                WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
# The program's file version and language, by which Windows Installer decides whether to replace
# a copy already installed (the language when the versions are equal): read from its version
# resource, as wixl leaves both out. A versioned file has no hash row, which is for unversioned
# files alone.
execute_process(COMMAND x86_64-w64-mingw32-windres -i zorvicxlsim.exe -O rc OUTPUT_VARIABLE resource
                WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
if(NOT resource MATCHES "FILEVERSION ([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+).*VALUE \"Translation\", (0x[0-9a-fA-F]+),")
  message(FATAL_ERROR "zorvicxlsim.exe's version resource names no file version or no language")
endif()
string(JOIN . file_version ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
math(EXPR file_language ${CMAKE_MATCH_5} OUTPUT_FORMAT DECIMAL)
execute_process(COMMAND faketime @$ENV{SOURCE_DATE_EPOCH} msibuild ${msi}
  -q "UPDATE File SET Version = '${file_version}', Language = '${file_language}' WHERE File = 'Program'"
  -q "DELETE FROM MsiFileHash WHERE File_ = 'Program'"
  -q "CREATE TABLE Environment (Environment CHAR(72) NOT NULL, Name CHAR(255) NOT NULL, Value CHAR(255), Component_ CHAR(72) NOT NULL PRIMARY KEY Environment)"
  -q "INSERT INTO Environment (Environment, Name, Value, Component_) VALUES ('PATH', '=-*PATH', '[~];[INSTALLDIR]', 'Program')"
  -s ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_VENDOR} "x64;1033" {${package_code}} # -s goes last
  COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Windows Installer package: ${msi}")
