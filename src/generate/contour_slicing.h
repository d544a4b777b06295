#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/toolpath_record.h"
#include "edit/record_list.h"

namespace fendo {

class Progress;

// The heights a contour run cuts at: planes k = 1 … count at topZ − k · spacing, so nothing is
// cut at topZ itself and the last plane lies at or above bottomZ.
struct ContourPlanes {
  double topZ = 0;
  double bottomZ = 0;
  double spacing = 0;  // mm, above 0

  // (topZ − bottomZ) / spacing truncated; 0 when bottomZ lies above topZ.
  int Count() const;
  double HeightOf(int k) const { return topZ - k * spacing; }
};

// The cut points of one plane in the order the path reaches them; each carries the feed of the
// record whose move it lies on.
using PlanePoints = std::span<const ToolpathRecord>;

// The cut points of the planes that cut the path, from the top down, one plane after another.
struct ContourCuts {
  std::vector<ToolpathRecord> points;
  std::vector<std::size_t> ends;  // per plane, one past its last point

  std::size_t Planes() const { return ends.size(); }
  PlanePoints Plane(std::size_t plane) const {
    const std::size_t begin = plane == 0 ? 0 : ends[plane - 1];
    return PlanePoints(points).subspan(begin, ends[plane] - begin);
  }
};

// Cuts every linear feed move with the planes. A move runs from the motion record before it to
// its record (arcs, which a contour run has turned into straight moves first, are not cut; a
// move after one starts at its end); a level move gives no point, a sloping one a point on every plane
// between its end heights, both ends included, so a record lying exactly on a plane gives it
// once for the move into it and once for the move out. Each move is looked at once and asked
// only for the planes its heights span, rather than every plane asking every move; a first walk
// counts the points of each plane, so that the second puts every point in its place at once.
// Nothing when there would be more than `limit` points in all. Progress is told
// "Processing(%d/%d). " over the records of both walks.
std::optional<ContourCuts> SlicePath(const RecordList& records, const ContourPlanes& planes,
                                                  std::size_t limit, Progress* progress = nullptr);

}  // namespace fendo
