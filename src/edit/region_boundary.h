#pragma once

#include <memory>
#include <span>
#include <vector>

#include "core/arc_rule.h"
#include "core/point3.h"
#include "core/view_state.h"

namespace fendo {

// A boundary the trims and the offsets cut the toolpath against: which side a point lies on,
// and where a move crosses it.
class RegionBoundary {
 public:
  virtual ~RegionBoundary() = default;
  virtual bool Inside(Point3 p) const = 0;
  // The fractions t in (0, 1) of the straight move a -> b where it crosses the boundary,
  // ascending.
  virtual std::vector<double> LineCrossings(Point3 a, Point3 b) const = 0;
  // The fractions of the arc's sweep in (0, 1) where it crosses the boundary, ascending, each
  // within 0.001 mm of the true crossing whatever the zoom.
  virtual std::vector<double> ArcCrossings(const Arc& arc) const = 0;
};

// A polygon in model XY (z ignored), closed from the last vertex back to the first, inside by
// the even-odd rule; edges binned so that a test costs about the edges near the point, not all.
// Needs 3 vertices or more (fewer: nothing is inside).
std::unique_ptr<RegionBoundary> ModelPolygonBoundary(std::span<const Point3> vertices);
// The rectangle between two corners in either order, edges included.
std::unique_ptr<RegionBoundary> RectangleBoundary(double x1, double y1, double x2, double y2);
// A vertical cylinder: XY distance from the centre below the radius, or at most the radius when
// `rimInside`.
std::unique_ptr<RegionBoundary> CircleBoundary(Point3 centre, double radius, bool rimInside);
// A Z band: zMin <= z <= zMax.
std::unique_ptr<RegionBoundary> ZBandBoundary(double zMin, double zMax);
// A polygon of client pixels on a view as it stands (the existing core/screen_polygon.h
// ScreenPolygon wrapped; arc crossings refined to 0.001 mm).
std::unique_ptr<RegionBoundary> ScreenPolygonBoundary(std::span<const ClientPoint> polygon, const ViewState& view);

}  // namespace fendo
