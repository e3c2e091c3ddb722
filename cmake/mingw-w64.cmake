# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64). The posix-threads variant is used so that the
# standard library's thread and mutex types exist (GoogleTest may use them).
# Usage: cmake -S . -B out-win -G Ninja
#          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QS_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(QS_MINGW_CXX NAMES ${QS_MINGW_TRIPLE}-g++-posix ${QS_MINGW_TRIPLE}-g++ REQUIRED)
find_program(QS_MINGW_CC NAMES ${QS_MINGW_TRIPLE}-gcc-posix ${QS_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QS_MINGW_CXX})
if(QS_MINGW_CC)
  set(CMAKE_C_COMPILER ${QS_MINGW_CC})
endif()
set(CMAKE_RC_COMPILER ${QS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test programs through Wine when it is present
# ("wine", or the 64-bit loader that Debian's wine64 package alone installs).
find_program(QS_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(QS_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QS_WINE})
endif()
