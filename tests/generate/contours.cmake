fendo_test(contour_tests
  generate/contour_linking_test.cpp
  generate/contour_round_trip_test.cpp
  generate/contours_test.cpp
)
fendo_test(contour_batch_tests
  cli/contour_batch_test.cpp
)
