# The real game window on the offscreen platform: key-to-repaint time,
# processor share and gravity intervals of a running game. A plain program.
add_executable(bench_game_window ${CMAKE_CURRENT_LIST_DIR}/bench_game_window.cpp)
target_link_libraries(bench_game_window PRIVATE game Qt6::Widgets)
