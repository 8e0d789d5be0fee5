# The Debian package (GAME_DEB_LAYOUT=ON, made by scripts/package-deb).
#
# The program and its data sit together under /usr/lib/games/game, which is
# read-only once installed, so the game keeps its save and font cache in
# ~/.local/share/game. A link in /usr/games puts it on the PATH (the program
# finds its real directory through the link); the menu entry, the icon, the
# AppStream metainfo that software centres show, a manual page and the
# licences go where desktops and dpkg look for them.
# CPack's DEB generator writes BUILD/game_VERSION_amd64.deb.
set(GAME_DEB_DIR lib/games/game)
set(GAME_DEB_STAGE ${CMAKE_BINARY_DIR}/deb)

install(TARGETS game RUNTIME DESTINATION ${GAME_DEB_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/config.txt ${GAME_RUN_DIR}/level_seed_offsets
  DESTINATION ${GAME_DEB_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/shaders_desktop ${GAME_RUN_DIR}/images
  ${GAME_RUN_DIR}/images_x2 ${GAME_RUN_DIR}/sounds
  DESTINATION ${GAME_DEB_DIR})

# The fonts are links, under the game's names, to the files of Debian's font
# packages, which the package depends on: Debian keeps one copy of a font,
# and a copy would carry an OpenType font under a .ttf name.
file(MAKE_DIRECTORY ${GAME_DEB_STAGE})
execute_process(COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/assets/fonts_and_licenses.py
    --links ${GAME_DEB_STAGE}/fonts /usr/${GAME_DEB_DIR}/fonts
  OUTPUT_VARIABLE GAME_DEB_FONT_PACKAGES RESULT_VARIABLE font_links_status)
if(NOT font_links_status EQUAL 0)
  message(FATAL_ERROR "making the font links failed")
endif()
install(DIRECTORY ${GAME_DEB_STAGE}/fonts DESTINATION ${GAME_DEB_DIR})
file(CREATE_LINK ../lib/games/game/game ${GAME_DEB_STAGE}/game SYMBOLIC)
install(FILES ${GAME_DEB_STAGE}/game DESTINATION games)

install(FILES ${GAME_RUN_DIR}/images/icon.png DESTINATION share/icons/hicolor/256x256/apps
  RENAME game.png)
file(WRITE ${GAME_DEB_STAGE}/game.desktop [[
[Desktop Entry]
Type=Application
Name=game
Comment=Match pairs of picture tiles joined by a path with at most two turns
Exec=game
Icon=game
Terminal=false
Categories=Game;LogicGame;
Keywords=puzzle;tiles;pairs;
]])
install(FILES ${GAME_DEB_STAGE}/game.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/tools/org.example.game.metainfo.xml DESTINATION share/metainfo)

# The copyright file is the asset step's account of every shipped file
# followed by the licence texts it copied; both exist only after the build.
string(TIMESTAMP GAME_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${GAME_DEB_STAGE}/changelog "game (${PROJECT_VERSION}) unstable; urgency=medium

  * Packaged for Linux players.

 -- game developers <dev@example.org>  ${GAME_DEB_DATE}
")
file(WRITE ${GAME_DEB_STAGE}/game.6 [[
.TH GAME 6
.SH NAME
game \- puzzle game of matching picture tiles
.SH SYNOPSIS
.B game
.SH DESCRIPTION
Two equal tiles are removed when a path with at most two turns joins them
through empty cells. Press two equal tiles to remove them; H bounces a pair
that can be removed, Alt+Enter switches full screen and Q quits.
.SH FILES
.TP
.I /usr/lib/games/game
the program and its data, read-only
.TP
.I ~/.local/share/game/autosave
the saved progress ($XDG_DATA_HOME/game when that is set), with the font
cache in tmp/ beside it
]])
install(CODE "set(GAME_RUN_DIR \"${GAME_RUN_DIR}\")
set(GAME_DEB_STAGE \"${GAME_DEB_STAGE}\")")
install(CODE [[
  set(doc "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/doc/game")
  file(MAKE_DIRECTORY "${doc}")
  file(READ "${GAME_RUN_DIR}/licenses/README" text)
  # Debian ships the Apache licence itself and lintian wants it referred to.
  set(text "game: the program, its rounded-rectangle picture and its sounds are made\nby the game's own code. The other files under /usr/lib/games/game come from\nDebian packages, as follows; the licence texts named are appended below,\nexcept Apache-2.0.txt: on Debian systems the Apache License 2.0 is in\n/usr/share/common-licenses/Apache-2.0. The two fonts are not copied into\nthis package: fonts/ holds links to the files of fonts-cherrybomb and\nfonts-liberation2, on which it depends.\n\n${text}")
  file(GLOB licences "${GAME_RUN_DIR}/licenses/*.txt")
  list(FILTER licences EXCLUDE REGEX "/Apache-2.0.txt$")
  list(SORT licences)
  foreach(licence IN LISTS licences)
    get_filename_component(name "${licence}" NAME)
    file(READ "${licence}" body)
    string(APPEND text "\n\n==== ${name}\n\n${body}")
  endforeach()
  file(WRITE "${doc}/copyright" "${text}")
  set(man "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/man/man6")
  file(MAKE_DIRECTORY "${man}")
  foreach(pair "changelog;${doc}/changelog.gz" "game.6;${man}/game.6.gz")
    list(GET pair 0 from)
    list(GET pair 1 to)
    execute_process(COMMAND gzip -9n -c "${GAME_DEB_STAGE}/${from}" OUTPUT_FILE "${to}"
      RESULT_VARIABLE gzip_status)
    if(NOT gzip_status EQUAL 0)
      message(FATAL_ERROR "compressing ${from} failed")
    endif()
  endforeach()
]])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME game)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "game developers <dev@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of matching picture tiles")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Two equal tiles are removed when a path with at most two turns joins them
through empty cells. Clear the board level after level, against the clock
or within a budget of pairs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Joined with the libraries dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${GAME_DEB_FONT_PACKAGES}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
