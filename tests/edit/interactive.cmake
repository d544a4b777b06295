fendo_test(interactive_tests
  edit/interactive_test.cpp
  edit/undo_guard_simulation_test.cpp
)
