fendo_test(contour_tests
  generate/contour_linking_test.cpp
  generate/contour_round_trip_test.cpp
  generate/contours_test.cpp
)
