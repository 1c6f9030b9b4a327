target_link_libraries(shell PUBLIC exercise platform Qt6::Widgets Qt6::Network)
