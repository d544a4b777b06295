fendo_test(navigation_tests
  view/centre_record_test.cpp
  view/navigation_test.cpp
  view/picking_selection_test.cpp
  view/view_input_test.cpp
)
