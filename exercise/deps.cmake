target_link_libraries(exercise PUBLIC number platform Qt6::Widgets Qt6::Svg)
