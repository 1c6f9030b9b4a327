# The process tests start the program and a helper holding its single-instance lock.
add_executable(instance_guard_helper ${CMAKE_CURRENT_SOURCE_DIR}/instance_guard_helper.cpp)
target_link_libraries(instance_guard_helper PRIVATE platform Qt6::Core Qt6::Network)
add_dependencies(shell_processes instance_guard_helper vorelle)
target_compile_definitions(shell_processes PRIVATE
  VORELLE_GUARD_HELPER="$<TARGET_FILE:instance_guard_helper>" VORELLE_PROGRAM="$<TARGET_FILE:vorelle>")
# Every window under a dark palette, the game's windows included.
target_link_libraries(shell_dark_palette PRIVATE game)
# "&Quitter" in the middle of a game, in a process of its own.
add_executable(game_windows_helper ${CMAKE_CURRENT_SOURCE_DIR}/game_windows_helper.cpp)
target_link_libraries(game_windows_helper PRIVATE shell game exercise platform Qt6::Widgets)
add_dependencies(shell_processes game_windows_helper)
target_compile_definitions(shell_processes PRIVATE
  VORELLE_QUIT_HELPER="$<TARGET_FILE:game_windows_helper>")
