# The toolpath view's drawing: pens, feed colours, the picture of the toolpaths, the tool and
# the marks over it, the raster canvas of images, and the fit.
target_sources(fendo_engine PRIVATE
  view/draw_axes.cpp
  view/draw_highlight.cpp
  view/draw_master_model.cpp
  view/draw_tool.cpp
  view/draw_toolpaths.cpp
  view/draw_view.cpp
  view/feed_bands.cpp
  view/fit_view.cpp
  view/layer_text.cpp
  view/model_lines.cpp
  view/pens.cpp
  view/raster_canvas.cpp
)
