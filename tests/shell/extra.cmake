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
# The install tree: the program installed into a temporary prefix, with the
# probe that tells where a program there finds its data.
add_executable(installed_paths_probe ${CMAKE_CURRENT_SOURCE_DIR}/installed_paths_probe.cpp)
target_link_libraries(installed_paths_probe PRIVATE platform Qt6::Core)
add_dependencies(shell_installed_program installed_paths_probe vorelle desktop_icons)
target_compile_definitions(shell_installed_program PRIVATE
  VORELLE_CMAKE="${CMAKE_COMMAND}" VORELLE_BUILD_DIR="${CMAKE_BINARY_DIR}"
  VORELLE_APP_ID="${VORELLE_APP_ID}" VORELLE_PROBE="$<TARGET_FILE:installed_paths_probe>")
set_tests_properties(shell_installed_program PROPERTIES TIMEOUT 120)

# The accessibility walk goes through the windows of every folder.
target_link_libraries(shell_accessibility PRIVATE game)
