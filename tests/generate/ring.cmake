fendo_test(ring_tests
  generate/radial_spacing_test.cpp
  generate/ring_patterns_test.cpp
  generate/ring_round_trip_test.cpp
)
fendo_test(ring_batch_tests
  cli/ring_batch_test.cpp
)
fendo_qt_test(ring_commands_tests app/ring_commands_test.cpp)
target_link_libraries(ring_commands_tests PRIVATE fendo_app fendo_cli)
