# The asset step: everything the game reads from its run directory apart from
# config.txt and the shaders, made from Debian packages by our own scripts and
# synthesised by our own code.
#
#   images/   tile sets and the rounded rectangle (tools/assets/make_images.py)
#   images_x2/ the same at twice the pixel size, for high-DPI screens
#   fonts/    the two fonts under the names the game asks for
#   licenses/ licence texts and a README on where each asset comes from
#   sounds/   effects and music from our synthesiser (make-sounds)
#
# Each script builds its directory beside the real one and swaps it in only
# when complete; the outputs named below then carry fresh times, so an
# interrupted or failed run is simply repeated by the next build.

set(ASSET_SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/assets)
# Debian's interpreter: the one on PATH may not see python3-pil and friends.
set(ASSET_PYTHON /usr/bin/python3)
set(ASSET_EMOJI_FONT /usr/share/fonts/truetype/noto/NotoColorEmoji.ttf)

# Say which package is missing now rather than half way through a build.
foreach(need
    "${ASSET_EMOJI_FONT}|fonts-noto-color-emoji"
    "/usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf|fonts-cherrybomb"
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf|fonts-liberation2"
    "${ASSET_PYTHON}|python3")
  string(REPLACE "|" ";" need "${need}")
  list(GET need 0 need_file)
  list(GET need 1 need_package)
  if(NOT EXISTS ${need_file})
    message(FATAL_ERROR "Asset step: ${need_file} is missing; install the Debian package ${need_package} "
      "(or configure with -DGAME_ASSETS=OFF)")
  endif()
endforeach()
execute_process(COMMAND ${ASSET_PYTHON} -c "import numpy, PIL, fontTools"
  RESULT_VARIABLE asset_python_result OUTPUT_QUIET ERROR_VARIABLE asset_python_error)
if(NOT asset_python_result EQUAL 0)
  message(FATAL_ERROR "Asset step: ${ASSET_PYTHON} lacks a module (${asset_python_error}); install the "
    "Debian packages python3-numpy python3-pil python3-fonttools")
endif()

# --- images -------------------------------------------------------------------
set(ASSET_IMAGE_OUTPUTS
  ${GAME_RUN_DIR}/images/tiles/count
  ${GAME_RUN_DIR}/images/rounded_rect.png
  ${GAME_RUN_DIR}/images/icon.png)
add_custom_command(
  OUTPUT ${ASSET_IMAGE_OUTPUTS}
  COMMAND ${ASSET_PYTHON} ${ASSET_SOURCE_DIR}/make_images.py
    ${ASSET_SOURCE_DIR}/tile_sets.txt ${ASSET_EMOJI_FONT} ${GAME_RUN_DIR}/images
  DEPENDS ${ASSET_SOURCE_DIR}/make_images.py ${ASSET_SOURCE_DIR}/tile_sets.txt ${ASSET_EMOJI_FONT}
  COMMENT "Drawing the tile sets and images"
  VERBATIM)

set(ASSET_IMAGE_X2_OUTPUTS
  ${GAME_RUN_DIR}/images_x2/tiles/count
  ${GAME_RUN_DIR}/images_x2/rounded_rect.png)
add_custom_command(
  OUTPUT ${ASSET_IMAGE_X2_OUTPUTS}
  COMMAND ${ASSET_PYTHON} ${ASSET_SOURCE_DIR}/make_images.py
    ${ASSET_SOURCE_DIR}/tile_sets.txt ${ASSET_EMOJI_FONT} ${GAME_RUN_DIR}/images_x2 2
  DEPENDS ${ASSET_SOURCE_DIR}/make_images.py ${ASSET_SOURCE_DIR}/tile_sets.txt ${ASSET_EMOJI_FONT}
  COMMENT "Drawing the double-size tile sets and images"
  VERBATIM)

# --- fonts and licences ---------------------------------------------------------
set(ASSET_FONT_OUTPUTS
  ${GAME_RUN_DIR}/fonts/PoetsenOne-Regular.ttf
  ${GAME_RUN_DIR}/fonts/arialbd.ttf
  ${GAME_RUN_DIR}/licenses/README
  ${GAME_RUN_DIR}/licenses/OFL.txt)
add_custom_command(
  OUTPUT ${ASSET_FONT_OUTPUTS}
  COMMAND ${ASSET_PYTHON} ${ASSET_SOURCE_DIR}/fonts_and_licenses.py ${GAME_RUN_DIR}
  DEPENDS ${ASSET_SOURCE_DIR}/fonts_and_licenses.py
    /usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
  COMMENT "Copying fonts and licences"
  VERBATIM)

# --- sounds -------------------------------------------------------------------------
add_executable(make-sounds
  ${ASSET_SOURCE_DIR}/make_sounds.cpp
  ${ASSET_SOURCE_DIR}/synth.cpp
  ${ASSET_SOURCE_DIR}/sound_effects.cpp
  ${ASSET_SOURCE_DIR}/music.cpp)
target_link_libraries(make-sounds PRIVATE PkgConfig::SNDFILE)
# Always optimised: a debug build of the synthesiser would slow every build.
target_compile_options(make-sounds PRIVATE -O2)

set(ASSET_SOUND_NAMES music.ogg tap.wav toggle.wav tile_select.wav tile_match.wav no_moves.wav
  shuffle.wav menu_panel.wav win_popup.wav win2_popup.wav lose_popup.wav)
list(TRANSFORM ASSET_SOUND_NAMES PREPEND ${GAME_RUN_DIR}/sounds/ OUTPUT_VARIABLE ASSET_SOUND_OUTPUTS)
add_custom_command(
  OUTPUT ${ASSET_SOUND_OUTPUTS}
  # Leak reports from the codec libraries must not fail a sanitizer build.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
    $<TARGET_FILE:make-sounds> ${GAME_RUN_DIR}/sounds
  DEPENDS make-sounds
  COMMENT "Synthesising the sounds and music"
  VERBATIM)

add_custom_target(assets ALL DEPENDS ${ASSET_IMAGE_OUTPUTS} ${ASSET_IMAGE_X2_OUTPUTS}
  ${ASSET_FONT_OUTPUTS} ${ASSET_SOUND_OUTPUTS})

# Not part of the build: every tile set on one sheet, to check by eye.
add_custom_target(contact-sheet
  COMMAND ${ASSET_PYTHON} ${ASSET_SOURCE_DIR}/contact_sheet.py ${GAME_RUN_DIR}/images
    ${CMAKE_BINARY_DIR}/contact_sheet.png
  DEPENDS assets
  COMMENT "Drawing ${CMAKE_BINARY_DIR}/contact_sheet.png"
  VERBATIM)
