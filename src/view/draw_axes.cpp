#include "view/draw_axes.h"

#include <array>

#include "view/device_projection.h"
#include "view/pens.h"

namespace fendo {
namespace {

constexpr double kAxisPixels = 40;   // the length of an axis lying in the screen's plane
constexpr int kLetterGap = 3;        // pixels between an axis's end and its letter

struct Axis {
  Point3 direction;
  const char* letter;
};
constexpr std::array<Axis, 3> kAxes = {{{{1, 0, 0}, "X"}, {{0, 1, 0}, "Y"}, {{0, 0, 1}, "Z"}}};

}  // namespace

void DrawAxes(Canvas& canvas, const ViewState& view, bool backgroundInverted) {
  const DeviceProjection projection(view);
  const std::optional<DevicePoint> origin = projection.ToPixel(0, 0, 0);
  if (!origin) return;
  const Pen pen = ViewPen(kAxisPen, backgroundInverted);
  canvas.SetPen(pen);
  const double length = kAxisPixels / view.scale;  // mm
  for (const Axis& axis : kAxes) {
    const std::optional<DevicePoint> end = projection.ToPixel(axis.direction * length);
    if (!end) continue;
    canvas.Line(*origin, *end);
    canvas.Text({end->x + kLetterGap, end->y + kLetterGap}, axis.letter, pen.colour);
  }
}

}  // namespace fendo
