# The cost of Brikko's piece moves and board drawing, off screen.
if(benchmark_FOUND)
  add_executable(bench_game_moves ${CMAKE_CURRENT_LIST_DIR}/bench_game_moves.cpp)
  target_link_libraries(bench_game_moves PRIVATE game benchmark::benchmark Qt6::Gui)
else()
  message(STATUS "bench_game_moves: Google Benchmark not found, not built")
endif()
