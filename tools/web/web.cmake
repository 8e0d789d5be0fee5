# web.cmake - the libraries of a web build (included by the top-level
# CMakeLists.txt when configured through emcmake; scripts/build-web does).
#
# GLFW and OpenGL ES 3 are emscripten's own (WebGL 2); the OpenGL loader is
# a header of ours, since there is nothing to load. libsndfile and
# libvorbisfile come from the prefix tools/web/build-deps fills
# (GAME_WEB_PREFIX), built from Debian's sources like the Windows ones, so
# every platform decodes sounds with the same code. They stand in for the
# pkg-config targets of the Linux build under the same names.
set(GAME_WEB_PREFIX "$ENV{GAME_WEB_PREFIX}" CACHE PATH "Prefix of the web libraries")
if(NOT EXISTS "${GAME_WEB_PREFIX}/lib/libsndfile.a")
  message(FATAL_ERROR "No web libraries in '${GAME_WEB_PREFIX}': run tools/web/build-deps "
    "(scripts/build-web does) and pass its prefix as GAME_WEB_PREFIX")
endif()
set(P ${GAME_WEB_PREFIX})

# The game includes <glad/gl.h>; on the web that name leads to the ES 3.0
# entry points, which need no loading.
configure_file(${CMAKE_SOURCE_DIR}/tools/web/include/gles3_loader.h
  ${CMAKE_BINARY_DIR}/web-include/glad/gl.h COPYONLY)
add_library(glad INTERFACE)
target_include_directories(glad INTERFACE ${CMAKE_BINARY_DIR}/web-include)

function(game_web_library name)
  add_library(${name} INTERFACE IMPORTED)
  set_target_properties(${name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include"
    INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()
game_web_library(PkgConfig::GLFW "-sUSE_GLFW=3")
set_target_properties(PkgConfig::GLFW PROPERTIES INTERFACE_COMPILE_OPTIONS
  "SHELL:-include ${CMAKE_SOURCE_DIR}/tools/web/include/glfw_additions.h")
game_web_library(PkgConfig::SDL2)  # no SDL on the web: audio/output_web.cpp
game_web_library(PkgConfig::SNDFILE ${P}/lib/libsndfile.a)
game_web_library(PkgConfig::VORBISFILE ${P}/lib/libvorbisfile.a ${P}/lib/libvorbis.a ${P}/lib/libogg.a)

include(${CMAKE_SOURCE_DIR}/tools/stb_compiled.cmake)
