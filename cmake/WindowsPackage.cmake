# The zip an admin unpacks onto a share: Tavro.exe, an example Tavro.ini and
# the deployment notes. `cpack` in a Windows build tree makes
# Tavro-<version>-win32.zip or -win64.zip.
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/Tavro.ini DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/DEPLOYMENT.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavro)
set(CPACK_PACKAGE_VENDOR Tavro)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
