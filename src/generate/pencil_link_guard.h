#pragma once

#include <cstdint>
#include <vector>

#include "core/point3.h"
#include "edit/record_list.h"

namespace fendo {

// Whether the tool may feed straight from one corner point to another: the finishing path the
// corners were found in tells where the surface lies. Where one of its cuts crosses the link
// in XY higher than the link passes there, the link would cut into the part (a ridge between
// two corners, a pass over a bump): the tool must lift instead. The cuts sit in an XY grid, so
// that a link looks only at the cuts near it.
class PencilLinkGuard {
 public:
  // `records` the compacted program; links up to `maxLink` mm long will be asked about.
  PencilLinkGuard(const RecordList& records, double maxLink);

  bool CanStayDown(Point3 a, Point3 b) const;

 private:
  struct Cut {
    Point3 from;
    Point3 to;
  };

  std::int64_t CellKey(double x, double y) const;

  double cell_;                     // mm, the side of a grid cell
  std::vector<Cut> cuts_;
  std::vector<std::int64_t> keys_;  // sorted cell keys, one per (cell, cut) pair
  std::vector<int> cutOf_;          // the cut of each key
  mutable std::vector<int> seen_;   // per cut: the question that looked at it last
  mutable int question_ = 0;
};

}  // namespace fendo
