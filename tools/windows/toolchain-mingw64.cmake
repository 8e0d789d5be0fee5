# toolchain-mingw64.cmake - cross-compiling for 64-bit Windows with Debian's
# mingw-w64. Libraries and headers come only from the Windows side (the
# mingw root and the dependency prefix); build tools run on the host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GAME_MINGW x86_64-w64-mingw32)

# The posix thread model: libstdc++'s std::thread and std::mutex need it.
find_program(CMAKE_C_COMPILER NAMES ${GAME_MINGW}-gcc-posix ${GAME_MINGW}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${GAME_MINGW}-g++-posix ${GAME_MINGW}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${GAME_MINGW}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${GAME_MINGW})
if(DEFINED ENV{GAME_WINDOWS_PREFIX})
  list(APPEND CMAKE_FIND_ROOT_PATH $ENV{GAME_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
