#pragma once

#include <span>
#include <vector>

#include "core/arc_rule.h"
#include "core/point3.h"

namespace fendo {

// One part of a split arc, as its end record and centre record store it.
struct ArcPart {
  double endFraction = 1;  // where the part ends, as a fraction of the whole arc's sweep
  Point3 end;              // mm, rounded as a record stores it
  Point3 centreOffset;     // mm, I, J, K from the part's start to the whole arc's centre
};

// Splits `arc`, whose centre record holds `centreOffset`, at those of `fractions` (ascending,
// between 0 and 1) where both parts stay whole arcs about the same centre once their points are
// stored: measured by the arc rule from the stored points, each part must sweep its share of
// the whole, within half a degree. A fraction where rounding would turn a part into something
// else (a full circle, a reversed arc) splits nothing. The parts come in order; the last one
// ends at the arc's end, and a single part is the arc unsplit.
std::vector<ArcPart> SplitArc(const Arc& arc, Point3 centreOffset, std::span<const double> fractions);

}  // namespace fendo
