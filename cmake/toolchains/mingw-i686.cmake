# Cross-building the Windows programs with Debian's mingw-w64 (i686).
set(TAVRO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
