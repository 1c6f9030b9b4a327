# The game loop's waits on the real clock and event pump: processor share and
# gravity intervals of a game left alone. A plain program, not a Google
# Benchmark: it measures one long run.
add_executable(bench_game_timing ${CMAKE_CURRENT_LIST_DIR}/bench_game_timing.cpp)
target_link_libraries(bench_game_timing PRIVATE game Qt6::Widgets)
