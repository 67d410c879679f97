# Cross toolchain for the test build on hosts that run no 32-bit code
# (docs/testing.md): the same sources, built for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CP_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
