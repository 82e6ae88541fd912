# Cross build for Windows with MinGW-w64 (x86_64, posix threads).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVALIS_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
