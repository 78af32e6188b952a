# The zip an admin unpacks onto a share: Tavro.exe, tavro-admin.exe, an
# example Tavro.ini, the deployment notes and the README. `cpack` in a
# Windows build tree makes Tavro-<version>-win32.zip or -win64.zip.
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/Tavro.ini DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/DEPLOYMENT.txt DESTINATION .)
# The README as README.txt with CR LF line ends, which every Notepad shows
# as lines (Windows 7's runs LF-only text into one line), and a UTF-8
# byte-order mark, without which Notepad takes it for ANSI.
file(READ ${PROJECT_SOURCE_DIR}/README.md tavro_readme)
string(REPLACE "\r\n" "\n" tavro_readme "${tavro_readme}")
string(REPLACE "\n" "\r\n" tavro_readme "${tavro_readme}")
string(ASCII 239 187 191 tavro_bom)
file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${tavro_bom}${tavro_readme}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

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
