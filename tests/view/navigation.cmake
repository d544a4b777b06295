fendo_test(navigation_tests
  view/navigation_test.cpp
  view/picking_selection_test.cpp
  view/view_input_test.cpp
)
