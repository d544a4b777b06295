fendo_test(drawing_tests
  view/drawing_test.cpp
  view/raster_canvas_test.cpp
  cli/render_test.cpp
)
