fendo_test(cutting_data_tests feed/cutting_data_test.cpp)
