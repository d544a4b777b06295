fendo_test(interactive_tests
  interact/interactive_test.cpp
  interact/undo_guard_simulation_test.cpp
)
