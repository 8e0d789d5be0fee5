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
