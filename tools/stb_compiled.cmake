# stb for the cross builds (Windows, web): Debian's headers, their
# implementations compiled here once, since there is no libstb for those
# targets. Only the stb directory is put on the include path, through a
# link, so no other Linux header can be picked up.
set(GAME_STB_INCLUDE ${CMAKE_BINARY_DIR}/stb_include)
file(MAKE_DIRECTORY ${GAME_STB_INCLUDE})
file(CREATE_LINK /usr/include/stb ${GAME_STB_INCLUDE}/stb SYMBOLIC)
add_library(game_stb STATIC ${CMAKE_SOURCE_DIR}/tools/windows/stb_implementation.c)
target_include_directories(game_stb PUBLIC ${GAME_STB_INCLUDE})
target_compile_options(game_stb PRIVATE -w)
add_library(PkgConfig::STB ALIAS game_stb)
