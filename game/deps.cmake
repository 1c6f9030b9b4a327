target_link_libraries(game PUBLIC platform Qt6::Widgets)
