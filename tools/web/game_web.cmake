# game_web.cmake - the web page: game.js, game.wasm and game.data, the page
# around them and what the zip holds (included by the top-level
# CMakeLists.txt in a web build, in place of the Linux executable, asset
# step and install rules).
#
# The pictures, fonts, sounds, level offsets and asset licences are a Linux
# build's (GAME_HOST_RUN_DIR), as for Windows: the asset tools do not run
# in a browser.
set(GAME_HOST_RUN_DIR "" CACHE PATH "Run directory of a Linux build whose assets are packed")
if(NOT EXISTS "${GAME_HOST_RUN_DIR}/images/icon.png")
  message(FATAL_ERROR "No assets in '${GAME_HOST_RUN_DIR}': build a Linux tree first "
    "(scripts/build-web does) and pass its run directory as GAME_HOST_RUN_DIR")
endif()
set(GAME_WEB_DIR ${CMAKE_BINARY_DIR}/web)
set(GAME_WEB_DATA ${CMAKE_BINARY_DIR}/web-data)
file(MAKE_DIRECTORY ${GAME_WEB_DIR})

# --- What game.data holds: the run directory's files, packed at "/" --------------
set(GAME_WEB_DATA_STAMP ${CMAKE_BINARY_DIR}/web-data.stamp)
file(GLOB_RECURSE GAME_WEB_DATA_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
add_custom_command(OUTPUT ${GAME_WEB_DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${GAME_WEB_DATA}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GAME_WEB_DATA}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/config.txt
    ${GAME_HOST_RUN_DIR}/level_seed_offsets ${GAME_WEB_DATA}/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/shaders_desktop ${GAME_WEB_DATA}/shaders_desktop
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/images ${GAME_WEB_DATA}/images
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/images_x2 ${GAME_WEB_DATA}/images_x2
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/fonts ${GAME_WEB_DATA}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/sounds ${GAME_WEB_DATA}/sounds
  COMMAND ${CMAKE_COMMAND} -E touch ${GAME_WEB_DATA_STAMP}
  DEPENDS ${GAME_WEB_DATA_INPUTS} ${GAME_HOST_RUN_DIR}/level_seed_offsets
  COMMENT "Gathering the web page's data"
  VERBATIM)
add_custom_target(web-data DEPENDS ${GAME_WEB_DATA_STAMP})

# --- game.js, game.wasm, game.data ------------------------------------------------
add_executable(game ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
target_link_libraries(game PRIVATE gamecore)
add_dependencies(game web-data)
set(GAME_WEB_PRE_JS ${CMAKE_SOURCE_DIR}/src/platform/platform_web.js)
set(GAME_WEB_LIBRARY_JS ${CMAKE_SOURCE_DIR}/tools/web/glfw_additions.js)
set(GAME_WEB_AUDIO_JS ${CMAKE_SOURCE_DIR}/src/audio/output_web.js)
set_target_properties(game PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${GAME_WEB_DIR}
  LINK_DEPENDS "${GAME_WEB_DATA_STAMP};${GAME_WEB_PRE_JS};${GAME_WEB_LIBRARY_JS};${GAME_WEB_AUDIO_JS}")
target_link_options(game PRIVATE -sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -lidbfs.js
  "SHELL:--pre-js ${GAME_WEB_PRE_JS}" "SHELL:--js-library ${GAME_WEB_LIBRARY_JS}"
  "SHELL:--js-library ${GAME_WEB_AUDIO_JS}"
  "SHELL:--preload-file ${GAME_WEB_DATA}@/")
add_custom_command(TARGET game POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/tools/web/index.html ${GAME_WEB_DIR}/
  VERBATIM)

# --- What the zip holds (scripts/build-web installs into a folder and zips it) ----
install(FILES ${GAME_WEB_DIR}/index.html ${GAME_WEB_DIR}/game.js ${GAME_WEB_DIR}/game.wasm
  ${GAME_WEB_DIR}/game.data DESTINATION .)
install(DIRECTORY ${GAME_HOST_RUN_DIR}/licenses DESTINATION .)
install(DIRECTORY ${GAME_WEB_PREFIX}/licenses/ DESTINATION licenses/libraries)
install(FILES ${GAME_WEB_PREFIX}/sources DESTINATION licenses/libraries RENAME debian-sources)
install(FILES /usr/share/doc/emscripten/copyright DESTINATION licenses/libraries
  RENAME emscripten-runtime-glfw-libc.copyright)
install(FILES /usr/share/doc/libstb-dev/copyright DESTINATION licenses/libraries RENAME stb.copyright)
install(FILES /usr/share/common-licenses/LGPL-2.1 DESTINATION licenses/libraries RENAME libsndfile.LGPL-2.1)
