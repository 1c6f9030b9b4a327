target_link_libraries(exercise PUBLIC number platform ui Qt6::Widgets Qt6::Svg)
# The faces and the program icon are built into the library.
qt_add_resources(exercise "exercise_icons"
  PREFIX "/vorelle"
  BASE "${CMAKE_SOURCE_DIR}/assets"
  FILES
    "${CMAKE_SOURCE_DIR}/assets/face_smile.svg"
    "${CMAKE_SOURCE_DIR}/assets/face_sad.svg"
    "${CMAKE_SOURCE_DIR}/assets/vorelle.svg")
