# Cross-building the Windows programs with Debian's mingw-w64 (x86_64).
set(TAVRO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
