fendo_test(interactive_tests
  interact/direction_commands_test.cpp
  interact/delete_commands_test.cpp
  interact/interactive_test.cpp
  interact/trim_commands_test.cpp
  interact/undo_guard_simulation_test.cpp
)
