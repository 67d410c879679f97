# Cross toolchain for the 32-bit Windows build (build/), MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CP_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
