#pragma once

#include <QFont>
#include <QImage>

#include "view/raster_canvas.h"

namespace fendo {

namespace detail {
// Holds the image so that it exists before the raster canvas that draws into its pixels.
struct ImageHolder {
  QImage held;
};
}  // namespace detail

// A picture of the view in an RGB32 image: lines, points and fills go straight into the
// image's pixels through the raster canvas; text goes through QPainter on the same image, with
// the system's fonts (Hangul included, where a Korean font is installed). For the view window
// (the image is shown as it is) and for fendo-batch render (the image is saved).
class QtImageCanvas : private detail::ImageHolder, public RasterCanvas {
 public:
  QtImageCanvas(int width, int height);
  QtImageCanvas(const QtImageCanvas&) = delete;
  QtImageCanvas& operator=(const QtImageCanvas&) = delete;

  // A new image of this size (its contents undefined until the next Fill); nothing when the
  // size is unchanged.
  void Resize(int width, int height);

  // A picture starts with a fill: the image is made this canvas's own again first, should a
  // copy of it handed out before still share its pixels.
  void Fill(Rgb colour) override;
  void Text(DevicePoint topLeft, std::string_view text, Rgb colour) override;

  const QImage& image() const { return held; }

 private:
  QFont font_;
};

}  // namespace fendo
