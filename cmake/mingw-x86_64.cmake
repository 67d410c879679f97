# Cross toolchain for the 64-bit Windows build (build/x86_64/): shipped by
# `make dist`, and the test build on hosts that run no 32-bit code (docs/testing.md).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CP_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
