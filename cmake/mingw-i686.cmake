# Cross build for Windows with MinGW-w64 (i686, posix threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVALIS_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
