# Run by cpack after the .zip: beside it the .msi of the same staged files, by wixl (msitools).
# What wixl cannot be told is set after it: msibuild adds the Environment table that puts the
# folder on the system PATH and sets the package code, and faketime gives wixl SOURCE_DATE_EPOCH
# as the time it writes, so that the .msi rebuilds bit for bit. The product and package codes are
# named by the version (a version's package by its program too): a lower test version is given
# to cpack as -D CPACK_ZORVIC_MSI_VERSION=VERSION.
set(version ${CPACK_ZORVIC_MSI_VERSION})
set(staged "${CPACK_TEMPORARY_DIRECTORY}")
file(SHA256 "${staged}/zorvicxlsim.exe" program_hash)
string(UUID product_code NAMESPACE ${CPACK_ZORVIC_UPGRADE_CODE} NAME ${version} TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${product_code} NAME ${program_hash} TYPE SHA1 UPPER)
file(GLOB documents RELATIVE "${staged}" "${staged}/*")
list(REMOVE_ITEM documents zorvicxlsim.exe)
foreach(name IN LISTS documents)
  string(MAKE_C_IDENTIFIER "${name}" id)
  string(APPEND documents_xml "\n            <File Id=\"${id}\" Name=\"${name}\" Source=\"${name}\"/>")
endforeach()
set(documents "${documents_xml}")
configure_file(${CPACK_ZORVIC_SOURCE_DIR}/packaging/zorvicxlsim.wxs.in ${staged}.wxs @ONLY)
set(msi "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_NAME}-${version}-${CPACK_ZORVIC_PLATFORM}.msi")
execute_process(COMMAND faketime @$ENV{SOURCE_DATE_EPOCH} wixl -a x64 -o ${msi} ${staged}.wxs
                WORKING_DIRECTORY ${staged} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND msibuild ${msi}
  -q "CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL, `Value` CHAR(255), `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)"
  -q "INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PATH', '=-*PATH', '[~];[INSTALLDIR]', 'Program')"
  -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)"
  -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)"
  -s ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_VENDOR} "x64;1033" {${package_code}} # -s goes last
  COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Windows Installer package: ${msi}")
