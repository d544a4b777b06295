fendo_test(pencil_tests
  generate/pencil_test.cpp
)
