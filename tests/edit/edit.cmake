fendo_test(edit_tests edit/path_delete_test.cpp edit/layers_test.cpp)
