fendo_test(nc_writer_tests
  output/nc_writer_test.cpp
  output/nc_writer_unit_test.cpp
  output/round_trip_test.cpp
  output/fine_arcs_test.cpp
  output/writer_refusals_test.cpp
)
