# Tools built beside the game: the level tool and the asset step.

# level-tool: prints, solves and designs levels from the command line.
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/level_tool.cpp)
  add_executable(level-tool ${CMAKE_SOURCE_DIR}/tools/level_tool.cpp)
  target_link_libraries(level-tool PRIVATE gamecore)
endif()

# The asset step writes images, fonts, sounds and licences into the run
# directory.
if(GAME_ASSETS)
  include(${CMAKE_SOURCE_DIR}/tools/assets.cmake OPTIONAL)
endif()

# The level seed offset table: for every regular and Time Challenge level the
# smallest seed offset whose layout can be cleared, designed with the picture
# counts the asset step just wrote (level-tool reads them from the run
# directory, so nothing here repeats them).
if(GAME_ASSETS AND TARGET level-tool AND TARGET assets)
  add_custom_command(
    OUTPUT ${GAME_RUN_DIR}/level_seed_offsets
    COMMAND $<TARGET_FILE:level-tool> design --counts-from ${GAME_RUN_DIR}/images
      --out ${GAME_RUN_DIR}/level_seed_offsets
    DEPENDS level-tool ${GAME_RUN_DIR}/images/tiles/count
    COMMENT "Designing the level seed offsets"
    VERBATIM)
  add_custom_target(level-seed-offsets ALL DEPENDS ${GAME_RUN_DIR}/level_seed_offsets)
endif()
