fendo_test(edit_tests edit/path_delete_test.cpp)
fendo_test(direction_edit_tests edit/reverse_test.cpp edit/start_point_test.cpp edit/plunge_test.cpp edit/subdivision_test.cpp edit/z_up_test.cpp edit/direction_properties_test.cpp)
