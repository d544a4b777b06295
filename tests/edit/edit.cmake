fendo_test(edit_tests
  edit/delete_by_angle_test.cpp
  edit/delete_by_length_test.cpp
  edit/delete_properties_test.cpp
  edit/delete_region_test.cpp
  edit/path_delete_test.cpp
)
