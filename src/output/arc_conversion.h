#pragma once

#include <optional>
#include <span>

#include "core/move_kind.h"
#include "core/point3.h"
#include "output/arc_convert_options.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// Filtering and arc conversion: operations that reduce or reshape the records of the work
// buffer before output without moving the path further than a tolerance (mm). Each ends with
// CompactRecords and NormalizeKinds; none pushes an undo snapshot (the command does not).

// Removes linear feed points that lie within `tolerance` of a longer straight move. Arcs and
// the points they start from stay. Returns the number of points removed.
int FilterLinear(ToolpathDatabase& db, double tolerance);

// Replaces by a straight move every arc whose middle lies within `tolerance` of its chord.
// Returns the number of arcs replaced.
int FilterArcs(ToolpathDatabase& db, double tolerance);

// Replaces every arc by straight moves that stay within `tolerance` of it. False, with nothing
// changed, when the result would not fit in the work buffer.
bool ArcsToLines(ToolpathDatabase& db, double tolerance, Progress* progress = nullptr);

// Replaces runs of linear feed moves in `plane` by arcs of a radius strictly between
// `minRadius` and `maxRadius` that stay within `tolerance` of every point and move; one arc
// replaces at most `maxPoints` moves. Returns the number of arcs written.
int LinesToArcs(ToolpathDatabase& db, double minRadius, double maxRadius, double tolerance, ArcPlane plane,
                int maxPoints, Progress* progress = nullptr);

// An arc fitted to a run of points.
struct ArcFit {
  double radius = 0;                      // mm, in the plane
  MoveKind direction = MoveKind::ArcCcw;  // ArcCw or ArcCcw, as the arc rule turns
  Point3 centre;                          // mm; its coordinate normal to the plane is the start's
  double deviation = 0;                   // mm, ArcDeviation of the run from the arc, below the tolerance
};

// The arc from the first to the last of `points` (consecutive motion points, at least three)
// in `plane` whose circle every point and every move stays within `tolerance` of, or nothing.
// Whether the points follow the arc in order is left to the caller. `hint` is the centre of
// the previous fit of the same run, if any: a circle that has not moved from it is taken
// without a search.
std::optional<ArcFit> FitArc(std::span<const Point3> points, double tolerance, ArcPlane plane,
                             std::optional<Point3> hint);

// How far the arc of `radius` around `centre` lies from `points` (consecutive motion points,
// the first the arc's start, whose plane the arc lies in): the largest, over every point
// after the first, of its distance from the circle and of the distance of the middle of the
// move ending at it (the move's sagitta), both in space. Nothing for fewer than two points.
std::optional<double> ArcDeviation(std::span<const Point3> points, Point3 centre, double radius, ArcPlane plane);

// The "Arc Convert" command's work once its dialog closed with OK: arcs to lines, or lines
// to arcs in each ticked plane (XY, then ZX, then YZ), filtering first when asked. False, with
// nothing changed, when a value is out of range or the lines would not fit in the work buffer.
bool RunArcConvert(ToolpathDatabase& db, const ArcConvertOptions& options, Progress* progress = nullptr);

}  // namespace fendo
