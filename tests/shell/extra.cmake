# The process tests start the program and a helper holding its single-instance lock.
add_executable(instance_guard_helper ${CMAKE_CURRENT_SOURCE_DIR}/instance_guard_helper.cpp)
target_link_libraries(instance_guard_helper PRIVATE platform Qt6::Core Qt6::Network)
add_dependencies(shell_start_up_and_tips instance_guard_helper vorelle)
target_compile_definitions(shell_start_up_and_tips PRIVATE
  VORELLE_GUARD_HELPER="$<TARGET_FILE:instance_guard_helper>" VORELLE_PROGRAM="$<TARGET_FILE:vorelle>")
# Every window under a dark palette, the game's windows included.
target_link_libraries(shell_dark_palette PRIVATE game)
# The game's windows with real sound and music, for the screenshots.
add_executable(game_windows_helper ${CMAKE_CURRENT_SOURCE_DIR}/game_windows_helper.cpp)
target_link_libraries(game_windows_helper PRIVATE shell game exercise platform test_support Qt6::Widgets)
