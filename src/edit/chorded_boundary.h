#pragma once

#include <cmath>
#include <vector>

#include "core/arc_rule.h"
#include "core/point3.h"
#include "edit/region_boundary.h"

namespace fendo {

// A box in model space around a move, for the quick test whether it can meet a boundary.
struct ModelBox {
  Point3 min{HUGE_VAL, HUGE_VAL, HUGE_VAL};
  Point3 max{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};

  void Add(Point3 p);
  // The eight corners, for boundaries that look at the box through a projection.
  std::vector<Point3> Corners() const;
};

// The box around the arc's whole circle, spanning the arc's rise along the normal axis.
ModelBox BoxAroundArc(const Arc& arc);

// The boundaries find where an arc crosses them the same way: the arc is followed along chords
// that stay within a fraction of a micrometre of it, each chord's crossings mark where one lies,
// and the arc itself is then halved around each mark until the change of side is pinned down
// to well within 0.001 mm. The chords follow the arc's size, never the view's zoom.
class ChordedBoundary : public RegionBoundary {
 public:
  std::vector<double> ArcCrossings(const Arc& arc) const final;

 protected:
  // False only when no move within `box` can cross the boundary.
  virtual bool MayCross(const ModelBox& box) const = 0;
};

// The fractions strictly between 0 and 1, ascending, each once: a move through a corner of a
// boundary meets both edges there.
std::vector<double> OrderedCrossings(std::vector<double> fractions);

}  // namespace fendo
