# Cross toolchain for the shipped program: 32-bit Windows, MinGW-w64.
# The -posix variants are used throughout because GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CP_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${CP_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CP_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${CP_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CP_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
