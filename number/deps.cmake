target_link_libraries(number PUBLIC Qt6::Core)
