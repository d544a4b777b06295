#include "feed/corner_walks.h"

#include <cmath>

namespace fendo {

Point3 PointAtDistance(Point3 centre, Point3 a, Point3 b, double distance) {
  // |a − centre + t (b − a)| = distance, for the t in [0, 1] where the segment leaves the sphere.
  const Point3 d = b - a;
  const Point3 f = a - centre;
  const double dd = d.x * d.x + d.y * d.y + d.z * d.z;
  if (dd == 0) return b;
  const double fd = f.x * d.x + f.y * d.y + f.z * d.z;
  const double ff = f.x * f.x + f.y * f.y + f.z * f.z;
  const double t = (-fd + std::sqrt(std::fmax(0.0, fd * fd - dd * (ff - distance * distance)))) / dd;
  return a + d * std::fmin(1.0, std::fmax(0.0, t));
}

ForwardWalk WalkForward(const OptimizerRun& run, int i, double lookAhead) {
  const Point3 origin = run[i].position();
  const double reach2 = lookAhead * lookAhead;
  ForwardWalk walk{i, origin};
  int walked = 0;
  for (int j = run.NextMotion(i); j >= 0 && !IsRapidKind(run[j].kind) && walked < kMostWalkedPoints;
       j = run.NextMotion(j), ++walked) {
    const Point3 p = run[j].position();
    if (Distance2(p, origin) >= reach2) {
      walk.reach = PointAtDistance(origin, run[walk.last].position(), p, lookAhead);
      walk.last = j;
      return walk;
    }
    walk.last = j;
    walk.reach = p;
  }
  return walk;
}

}  // namespace fendo
