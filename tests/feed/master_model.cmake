fendo_test(master_model_tests feed/master_model_test.cpp)
