fendo_test(pencil_tests
  generate/pencil_test.cpp
  generate/pencil_batch_test.cpp
)
