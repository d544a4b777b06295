#pragma once

#include <cstdint>

#include "view/canvas.h"

namespace fendo {

// A canvas that draws straight into a buffer of 32-bit pixels (0xffRRGGBB, rows `stride`
// pixels apart): a plain integer line loop costs a few nanoseconds a short segment, an order
// less than a general painter, which is what a redraw of millions of moves needs.
//
// Lines are one pixel wide and include both end points; a polyline draws each shared corner
// once, and its dash pattern runs on across the corners. Every pixel of a line is the one
// nearest the exact line along its major axis (ties away from the start's minor coordinate).
// Parts outside the buffer are clipped. Text needs fonts, which an engine buffer has not:
// this canvas leaves text out, and the Qt image canvas built on it draws it.
class RasterCanvas : public Canvas {
 public:
  RasterCanvas(std::uint32_t* pixels, int width, int height, int stride);

  void Fill(Rgb colour) override;
  void SetPen(const Pen& pen) override;
  void Polyline(std::span<const DevicePoint> points) override;
  void Points(std::span<const DevicePoint> points) override;
  void Rectangle(DevicePoint corner, DevicePoint opposite) override;
  void Text(DevicePoint topLeft, std::string_view text, Rgb colour) override;

  int width() const { return width_; }
  int height() const { return height_; }

  static std::uint32_t PixelOf(Rgb colour) {
    return 0xff000000u | std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
  }

 protected:
  // The canvas draws into another buffer from now on (an image that was resized).
  void Retarget(std::uint32_t* pixels, int width, int height, int stride);

 private:
  template <bool kDashed>
  void Segment(DevicePoint from, DevicePoint to, bool withFirstPixel);

  std::uint32_t* pixels_;
  int width_;
  int height_;
  int stride_;
  std::uint32_t colour_ = 0xffffffffu;
  bool dashed_ = false;
  int dashPhase_ = 0;  // pixels into the dash pattern
};

}  // namespace fendo
