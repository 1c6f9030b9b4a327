# Start-up time and peak memory of the real program against a bare Qt Widgets
# program built beside it. Plain programs; run under xvfb-run (see the file).
add_executable(startup_bare ${CMAKE_CURRENT_LIST_DIR}/startup_bare.cpp)
target_include_directories(startup_bare PRIVATE ${CMAKE_SOURCE_DIR}/app)
target_link_libraries(startup_bare PRIVATE Qt6::Widgets)

add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_compile_definitions(bench_startup PRIVATE
  VORELLE_PROGRAM="$<TARGET_FILE:vorelle>" VORELLE_BARE_PROGRAM="$<TARGET_FILE:startup_bare>")
add_dependencies(bench_startup vorelle startup_bare)
