# Shared by the MinGW-w64 toolchain files, which set CP_TRIPLE first.
# The -posix compilers are used throughout because GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${CP_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CP_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${CP_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CP_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
