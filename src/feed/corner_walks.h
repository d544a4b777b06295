#pragma once

#include "core/point3.h"

namespace fendo {

class OptimizerRun;

// A look-ahead walk from a point along the path, forwards or backwards over the motion points,
// until the straight distance from the point reaches the look-ahead. A walk forwards ends
// before a rapid point (the cut ends there); a walk backwards ends on one (the cut starts
// there). A walk passes kMostWalkedPoints at most: a look-ahead set far beyond any corner's
// reach (or a path winding within it) must not make the run quadratic in the points.
inline constexpr int kMostWalkedPoints = 1000;
struct ForwardWalk {
  int last = -1;  // the last point reached; the start point itself when none was
  Point3 reach;   // where the walk reaches the look-ahead, on the move that crosses it; else `last`
};
ForwardWalk WalkForward(const OptimizerRun& run, int i, double lookAhead);

// Calls visit(j) for every point j the backward walk from i passes, nearest first; returns the
// last one (i when none).
template <typename Visit>
int WalkBackward(const OptimizerRun& run, int i, double lookAhead, Visit visit);

// The square of the distance between two points.
inline double Distance2(Point3 a, Point3 b) {
  const Point3 d = a - b;
  return d.x * d.x + d.y * d.y + d.z * d.z;
}

// The point at distance `distance` from `centre` on the segment a→b, where a lies nearer than
// that and b not.
Point3 PointAtDistance(Point3 centre, Point3 a, Point3 b, double distance);

}  // namespace fendo

#include "feed/optimizer_run.h"

namespace fendo {

template <typename Visit>
int WalkBackward(const OptimizerRun& run, int i, double lookAhead, Visit visit) {
  const Point3 origin = run[i].position();
  const double reach2 = lookAhead * lookAhead;
  int last = i;
  int walked = 0;
  for (int j = run.PrevMotion(i); j >= 0 && walked < kMostWalkedPoints; j = run.PrevMotion(j), ++walked) {
    last = j;
    visit(j);
    if (IsRapidKind(run[j].kind) || Distance2(run[j].position(), origin) >= reach2) break;
  }
  return last;
}

}  // namespace fendo
