#pragma once

#include <cmath>
#include <optional>

#include "core/point3.h"
#include "core/view_state.h"
#include "view/canvas.h"

namespace fendo {

// Beyond this many pixels from the window's centre a point is not drawn: extreme zoom must not
// overflow the coordinates handed to the canvas.
inline constexpr double kDrawLimit = 30000;  // pixels

// The view's projection folded into one 2 × 3 matrix per screen axis, scale and pan included,
// giving window pixels directly: the drawing projects every record once, so this is the whole
// cost of the walk besides the lines. Agrees with Projection (core/view_state.h) up to rounding.
class DeviceProjection {
 public:
  explicit DeviceProjection(const ViewState& view) {
    const Projection projection(view);
    // The projection is linear: its columns are the images of the unit vectors.
    const Projection::Projected o = projection.Project({0, 0, 0});
    const Projection::Projected ex = projection.Project({1, 0, 0});
    const Projection::Projected ey = projection.Project({0, 1, 0});
    const Projection::Projected ez = projection.Project({0, 0, 1});
    const double s = view.scale;
    xx_ = (ex.x - o.x) * s;
    xy_ = (ey.x - o.x) * s;
    xz_ = (ez.x - o.x) * s;
    yx_ = (ex.y - o.y) * s;
    yy_ = (ey.y - o.y) * s;
    yz_ = (ez.y - o.y) * s;
    x0_ = -view.panX * s;
    y0_ = -view.panY * s;
    halfWidth_ = view.clientWidth / 2;
    halfHeight_ = view.clientHeight / 2;
  }

  // Pixels from the window's centre.
  struct FromCentre {
    double x;
    double y;
  };
  FromCentre Offset(double x, double y, double z) const {
    return {x0_ + xx_ * x + xy_ * y + xz_ * z, y0_ + yx_ * x + yy_ * y + yz_ * z};
  }

  // The window pixel of a model point; nothing beyond kDrawLimit (or for a NaN coordinate).
  std::optional<DevicePoint> ToPixel(double x, double y, double z) const {
    const FromCentre d = Offset(x, y, z);
    if (!(std::abs(d.x) <= kDrawLimit && std::abs(d.y) <= kDrawLimit)) return std::nullopt;
    return DevicePoint{Round(d.x) + halfWidth_, Round(d.y) + halfHeight_};
  }
  std::optional<DevicePoint> ToPixel(Point3 p) const { return ToPixel(p.x, p.y, p.z); }

 private:
  // Nearest integer of a value within ±kDrawLimit, halves upwards, without a library call.
  static int Round(double v) {
    constexpr double kBias = 65536;  // above kDrawLimit, so the cast truncates a positive value
    return static_cast<int>(v + kBias + 0.5) - static_cast<int>(kBias);
  }

  double xx_, xy_, xz_, yx_, yy_, yz_, x0_, y0_;
  int halfWidth_, halfHeight_;
};

}  // namespace fendo
