# bench_answer_check: checking a pasted megabyte through the exercise window.
if(TARGET benchmark::benchmark AND TARGET exercise)
  add_executable(bench_answer_check ${CMAKE_CURRENT_LIST_DIR}/bench_answer_check.cpp)
  target_link_libraries(bench_answer_check PRIVATE exercise benchmark::benchmark Qt6::Widgets)
endif()
