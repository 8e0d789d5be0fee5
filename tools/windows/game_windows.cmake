# game_windows.cmake - game.exe, its run directory and what the zip holds
# (included by the top-level CMakeLists.txt in a Windows build, in place of
# the Linux executable, asset step and install rules).
#
# The pictures, fonts, sounds, level offsets and asset licences are the
# ones a Linux build's asset step made (GAME_HOST_RUN_DIR): they are the
# same files on both systems, and the asset tools need not run under Wine.
set(GAME_HOST_RUN_DIR "" CACHE PATH "Run directory of a Linux build whose assets are shipped")
if(NOT EXISTS "${GAME_HOST_RUN_DIR}/images/icon.png")
  message(FATAL_ERROR "No assets in '${GAME_HOST_RUN_DIR}': build a Linux tree first "
    "(scripts/build-windows does) and pass its run directory as GAME_HOST_RUN_DIR")
endif()
set(GAME_RUN_DIR ${CMAKE_BINARY_DIR}/run)
file(MAKE_DIRECTORY ${GAME_RUN_DIR})

# --- Resources: icon, version, manifest -----------------------------------------
set(GAME_ICON ${CMAKE_BINARY_DIR}/game.ico)
add_custom_command(OUTPUT ${GAME_ICON}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/windows/make_icon.py
    ${GAME_HOST_RUN_DIR}/images/icon.png ${GAME_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/make_icon.py ${GAME_HOST_RUN_DIR}/images/icon.png
  COMMENT "Making the Windows icon"
  VERBATIM)
set(GAME_MANIFEST ${CMAKE_BINARY_DIR}/game.manifest)
configure_file(${CMAKE_SOURCE_DIR}/tools/windows/game.manifest ${GAME_MANIFEST} @ONLY)
string(REPLACE "." "," GAME_VERSION_COMMAS "${GAME_VERSION}.0")
configure_file(${CMAKE_SOURCE_DIR}/tools/windows/game.rc.in ${CMAKE_BINARY_DIR}/game.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/game.rc PROPERTIES
  OBJECT_DEPENDS "${GAME_ICON};${GAME_MANIFEST}")

# --- game.exe: a GUI program entered through WinMain ------------------------------
add_executable(game WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_BINARY_DIR}/game.rc)
target_link_libraries(game PRIVATE gamecore)
set_target_properties(game PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GAME_RUN_DIR})
add_custom_command(TARGET game POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${GAME_WINDOWS_SNDFILE_DLL} ${GAME_RUN_DIR}/
  VERBATIM)

# --- The run directory: data from the tree, assets from the Linux build ---------
set(GAME_HOST_ASSET_DIRS images images_x2 fonts sounds)
add_custom_target(run-data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/data/config.txt ${GAME_RUN_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/shaders_desktop ${GAME_RUN_DIR}/shaders_desktop
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${GAME_HOST_RUN_DIR}/level_seed_offsets ${GAME_RUN_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/images ${GAME_RUN_DIR}/images
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/images_x2 ${GAME_RUN_DIR}/images_x2
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/fonts ${GAME_RUN_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/sounds ${GAME_RUN_DIR}/sounds
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_HOST_RUN_DIR}/licenses ${GAME_RUN_DIR}/licenses
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_WINDOWS_LICENSES} ${GAME_RUN_DIR}/licenses/libraries
  COMMAND ${CMAKE_COMMAND} -E copy ${GAME_WINDOWS_SOURCES_LIST} ${GAME_RUN_DIR}/licenses/libraries/debian-sources
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/libstb-dev/copyright ${GAME_RUN_DIR}/licenses/libraries/stb.copyright
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/python3-glad/copyright ${GAME_RUN_DIR}/licenses/libraries/glad.copyright
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/Apache-2.0 ${GAME_RUN_DIR}/licenses/libraries/glad.Apache-2.0
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/mingw-w64-common/copyright
    ${GAME_RUN_DIR}/licenses/libraries/mingw-w64-runtime-and-winpthreads.copyright
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/gcc-mingw-w64-base/copyright
    ${GAME_RUN_DIR}/licenses/libraries/libgcc-libstdc++.copyright
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/LGPL-2.1 ${GAME_RUN_DIR}/licenses/libraries/libsndfile.LGPL-2.1
  COMMENT "Filling the Windows run directory"
  VERBATIM)

# --- What the zip holds (scripts/build-windows installs into game/ and zips it) --
# The players' README, with Windows line ends for Notepad.
configure_file(${CMAKE_SOURCE_DIR}/tools/windows/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY
  NEWLINE_STYLE CRLF)
install(TARGETS game RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${GAME_RUN_DIR}/libsndfile.dll ${GAME_RUN_DIR}/config.txt ${GAME_RUN_DIR}/level_seed_offsets
  DESTINATION .)
install(DIRECTORY ${GAME_RUN_DIR}/shaders_desktop ${GAME_RUN_DIR}/images ${GAME_RUN_DIR}/images_x2
  ${GAME_RUN_DIR}/fonts ${GAME_RUN_DIR}/sounds ${GAME_RUN_DIR}/licenses DESTINATION .)

# --- Tests under Wine ------------------------------------------------------------
if(GAME_TESTS)
  enable_testing()
  add_subdirectory(tests/wine)
endif()

# --- The yardstick of bench/wine_startup.sh ----------------------------------------
add_executable(wine_bare_window WIN32 ${CMAKE_SOURCE_DIR}/bench/wine_bare_window.c)
target_link_libraries(wine_bare_window PRIVATE glad PkgConfig::GLFW)
set_target_properties(wine_bare_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
