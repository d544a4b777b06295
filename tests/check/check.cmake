fendo_test(check_tests check/preflight_check_test.cpp check/source_constructs_test.cpp)
