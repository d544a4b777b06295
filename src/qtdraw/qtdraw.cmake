# The drawing engine's canvases backed by Qt: an RGB32 image (the view window, fendo-batch
# render) and any QPainter (printing).
add_library(fendo_qtdraw STATIC
  qtdraw/qt_image_canvas.cpp
  qtdraw/qt_painter_canvas.cpp
)
target_link_libraries(fendo_qtdraw PUBLIC fendo_engine Qt6::Gui)
