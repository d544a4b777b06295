#pragma once

#include <array>
#include <span>
#include <string_view>

#include "config/palette.h"

namespace fendo {

// A pixel of the window: from its top-left corner, y downwards.
struct DevicePoint {
  int x = 0;
  int y = 0;

  friend bool operator==(DevicePoint, DevicePoint) = default;
};

enum class LineStyle { Solid, Dashed };

// Every line is one pixel wide; a dashed line repeats this many pixels drawn, then left out,
// along its length, the pattern running on across the corners of a polyline.
inline constexpr int kDashOn = 8;
inline constexpr int kDashOff = 4;

struct Pen {
  Rgb colour;
  LineStyle style = LineStyle::Solid;

  friend bool operator==(const Pen&, const Pen&) = default;
};

// What the toolpath view draws on: the window, an image for fendo-batch, a printer page, a
// recording in tests. Lines come in polylines, one call per run of one pen, so that a
// toolpath of millions of short moves costs a call per run rather than per move.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Paints the whole surface.
  virtual void Fill(Rgb colour) = 0;
  // The pen of the lines, rectangles and points that follow.
  virtual void SetPen(const Pen& pen) = 0;
  // Lines from each point to the next.
  virtual void Polyline(std::span<const DevicePoint> points) = 0;
  // Single pixels in the pen's colour.
  virtual void Points(std::span<const DevicePoint> points) = 0;
  // The outline of the rectangle with these opposite corners.
  virtual void Rectangle(DevicePoint corner, DevicePoint opposite) = 0;
  // UTF-8 text whose top-left corner is `topLeft`.
  virtual void Text(DevicePoint topLeft, std::string_view text, Rgb colour) = 0;

  void Line(DevicePoint from, DevicePoint to) {
    const std::array<DevicePoint, 2> line{from, to};
    Polyline(line);
  }
};

}  // namespace fendo
