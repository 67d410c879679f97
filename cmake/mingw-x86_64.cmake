# Cross toolchain for the test build on hosts that cannot run 32-bit code
# (see docs/testing.md): the same sources, built for 64-bit Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CP_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${CP_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CP_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${CP_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CP_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
