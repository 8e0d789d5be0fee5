# windows.cmake - the libraries of a 64-bit Windows build (included by the
# top-level CMakeLists.txt when cross-compiling with toolchain-mingw64.cmake).
#
# They come from the prefix tools/windows/build-deps fills (GAME_WINDOWS_PREFIX)
# and stand in for the pkg-config targets of the Linux build under the same
# names, so the game's targets read the same on both. Everything is linked
# statically except libsndfile, whose licence asks for a DLL beside game.exe.
set(GAME_WINDOWS_PREFIX "$ENV{GAME_WINDOWS_PREFIX}" CACHE PATH "Prefix of the Windows libraries")
if(NOT EXISTS "${GAME_WINDOWS_PREFIX}/lib/libglfw3.a")
  message(FATAL_ERROR "No Windows libraries in '${GAME_WINDOWS_PREFIX}': run tools/windows/build-deps "
    "(scripts/build-windows does) and pass its prefix as GAME_WINDOWS_PREFIX")
endif()
set(P ${GAME_WINDOWS_PREFIX})

function(game_windows_library name)
  cmake_parse_arguments(L "" "" "DEFINES;LIBS" ${ARGN})
  add_library(${name} INTERFACE IMPORTED)
  set_target_properties(${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${P}/include"
    INTERFACE_COMPILE_DEFINITIONS "${L_DEFINES}"
    INTERFACE_LINK_LIBRARIES "${L_LIBS}")
endfunction()

game_windows_library(PkgConfig::GLFW LIBS ${P}/lib/libglfw3.a gdi32)
# The game has its own entry point; SDL's main is not wanted.
game_windows_library(PkgConfig::SDL2 DEFINES SDL_MAIN_HANDLED
  LIBS ${P}/lib/libSDL2.a winmm imm32 ole32 oleaut32 version setupapi gdi32 uuid cfgmgr32)
set_property(TARGET PkgConfig::SDL2 APPEND PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${P}/include/SDL2")
game_windows_library(PkgConfig::SNDFILE LIBS ${P}/lib/libsndfile.dll.a)
game_windows_library(PkgConfig::VORBISFILE
  LIBS ${P}/lib/libvorbisfile.a ${P}/lib/libvorbis.a ${P}/lib/libogg.a)

include(${CMAKE_SOURCE_DIR}/tools/stb_compiled.cmake)

set(GAME_WINDOWS_SNDFILE_DLL ${P}/bin/libsndfile.dll)
set(GAME_WINDOWS_LICENSES ${P}/licenses)
set(GAME_WINDOWS_SOURCES_LIST ${P}/sources)

# No MinGW runtime DLL beside the program: libgcc, libstdc++ and
# winpthreads go inside it.
add_link_options(-static)

# The version the resource carries.
if(PROJECT_VERSION)
  set(GAME_VERSION ${PROJECT_VERSION})
else()
  set(GAME_VERSION 1.0.0)
endif()
