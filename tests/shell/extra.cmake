# The single-instance tests run several processes: a helper that takes the
# lock as the program does, and the program itself.
add_executable(instance_guard_helper ${CMAKE_CURRENT_SOURCE_DIR}/instance_guard_helper.cpp)
target_link_libraries(instance_guard_helper PRIVATE platform Qt6::Core Qt6::Network)
if(TARGET shell_instance_guard)
  add_dependencies(shell_instance_guard instance_guard_helper)
  target_compile_definitions(shell_instance_guard PRIVATE
    VORELLE_GUARD_HELPER="$<TARGET_FILE:instance_guard_helper>")
endif()
if(TARGET shell_program)
  add_dependencies(shell_program vorelle)
  target_compile_definitions(shell_program PRIVATE VORELLE_PROGRAM="$<TARGET_FILE:vorelle>")
endif()
