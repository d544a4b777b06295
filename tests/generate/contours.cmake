fendo_test(contour_tests
  generate/contour_linking_test.cpp
  generate/contour_round_trip_test.cpp
  generate/contours_test.cpp
)
fendo_test(contour_batch_tests
  cli/contour_batch_test.cpp
)
fendo_qt_test(contour_commands_tests app/contour_commands_test.cpp)
target_link_libraries(contour_commands_tests PRIVATE fendo_app fendo_cli)
