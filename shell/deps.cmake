target_link_libraries(shell PUBLIC exercise game platform ui Qt6::Widgets Qt6::Network Qt6::Svg)
# The tip window's light bulb is built into the library.
qt_add_resources(shell "shell_images"
  PREFIX "/vorelle"
  BASE "${CMAKE_SOURCE_DIR}/assets"
  FILES "${CMAKE_SOURCE_DIR}/assets/bulb.svg")
