#pragma once

#include <span>

#include "core/point3.h"
#include "view/canvas.h"
#include "view/device_projection.h"

namespace fendo {

// Draws the polyline through model points with the canvas's current pen. A point beyond the
// drawing limit is left out and breaks the line there, so that nothing is drawn towards it.
void DrawModelPolyline(Canvas& canvas, const DeviceProjection& projection, std::span<const Point3> points);

}  // namespace fendo
