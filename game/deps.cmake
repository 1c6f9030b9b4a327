target_link_libraries(game PUBLIC platform ui Qt6::Widgets)
# The high-score window's trophy is built into the library.
target_link_libraries(game PUBLIC Qt6::Svg)
qt_add_resources(game "game_images"
  PREFIX "/vorelle"
  BASE "${CMAKE_SOURCE_DIR}/assets"
  FILES "${CMAKE_SOURCE_DIR}/assets/trophy.svg")
# The game's icon, shown by the splash and the instructions.
qt_add_resources(game "game_icon"
  PREFIX "/vorelle"
  BASE "${CMAKE_SOURCE_DIR}/assets"
  FILES "${CMAKE_SOURCE_DIR}/assets/brikko.svg")
