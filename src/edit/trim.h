#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/point3.h"
#include "edit/edit_commit.h"
#include "edit/edit_outcome.h"
#include "edit/region_boundary.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// The side a trim removes: "안쪽" the inside of the boundary, "바같쪽" the outside.
enum class TrimSide { Inside, Outside };

// The text a trim's progress is reported with.
inline constexpr std::string_view kTrimProgressText = " 도움말: 진행중 입니다.";

// A trim cuts every cutting move where it crosses the boundary and keeps the pieces on the kept
// side: a cut stops exactly at the boundary, the tool retracts there to the retract height, and
// it comes back down where the path re-enters the kept side. Arcs stay arcs about their own
// centre; a kept piece of an arc under 0.001 mm is not written. Rapid moves stay as they are:
// the rapid rebuild after the trim joins the remaining cuts.

// One trim against one boundary (polygon, rectangle, circle, screen polygon), with the rapid
// moves rebuilt after it. Unchanged when nothing was cut; NoRoom with nothing changed when the
// result would not fit. `progress` (may be null) gets " 도움말: 진행중 입니다." and the share done.
// The polygon trims come back down to the boundary at rapid; the circle trims descend at feed.
EditOutcome TrimRegion(ToolpathDatabase& db, const RegionBoundary& boundary, TrimSide removed,
                       UndoStep undo = UndoStep::Push, Progress* progress = nullptr);
// The circle trims: the rim counts as outside when the inside is removed and as inside when the
// outside is, so a record on the circle stays under both. They descend at feed. Refused, with
// nothing changed, for a radius of 0 or below.
EditOutcome TrimCircle(ToolpathDatabase& db, Point3 centre, double radius, TrimSide removed,
                       UndoStep undo = UndoStep::Push, Progress* progress = nullptr);

// The Z trim: removes what lies outside zMin..zMax ("Z 최소", "Z 최대", defaults -10 and 10).
struct ZTrimParams {
  double zMin = -10;
  double zMax = 10;
};
// Refused, with nothing changed, for a band whose bottom lies above its top. Descends at feed.
EditOutcome TrimZBand(ToolpathDatabase& db, const ZTrimParams& band, UndoStep undo = UndoStep::Push,
                      Progress* progress = nullptr);

// The file trims: every polygon of the file, in file order, with one undo step for all.
// Polygons of fewer than 3 vertices are skipped.
EditOutcome TrimPolygons(ToolpathDatabase& db, std::span<const std::vector<Point3>> polygons, TrimSide removed,
                         UndoStep undo = UndoStep::Push, Progress* progress = nullptr);

}  // namespace fendo
