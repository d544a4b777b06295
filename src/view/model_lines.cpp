#include "view/model_lines.h"

#include <vector>

namespace fendo {

void DrawModelPolyline(Canvas& canvas, const DeviceProjection& projection, std::span<const Point3> points) {
  std::vector<DevicePoint> run;
  run.reserve(points.size());
  const auto endRun = [&] {
    if (run.size() >= 2) canvas.Polyline(run);
    run.clear();
  };
  for (const Point3& p : points) {
    if (const std::optional<DevicePoint> pixel = projection.ToPixel(p)) {
      run.push_back(*pixel);
    } else {
      endRun();
    }
  }
  endRun();
}

}  // namespace fendo
