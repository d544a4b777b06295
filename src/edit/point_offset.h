#pragma once

#include <span>
#include <vector>

#include "core/point3.h"
#include "core/view_state.h"
#include "edit/edit_commit.h"

namespace fendo {

class RegionBoundary;
class ToolpathDatabase;

// The point offsets ("포인트 Offset"): what lies in a region is shifted by the offset vector
// ("X 방향", "Y 방향", "Z 방향" of the direction dialog, mm) and joined to the rest by a step
// at each place a move crosses the region's boundary. Each pushes one undo snapshot unless told
// to skip it; Unchanged (no snapshot) when the vector is zero or nothing lies in the region;
// NoRoom, with nothing changed, when the result would pass the record limit.

// What runs once the region is shifted.
enum class OffsetFinish {
  NormalizePlunges,          // compaction and the plunge normalisation: the model rectangle
  NormalizeKindsAndPlunges,  // the kinds normalised first: the circle
  RebuildRapids,             // the rapid moves rebuilt: screen regions, file polygons, Z band
};

// "Z 좌표 바같쪽 Offset": the band whose outside is shifted ("Z 최소", "Z 최대"), mm, in
// either order.
struct ZOffsetBand {
  double zMin = -10;
  double zMax = 10;
};

// Shifts by `by` what lies inside `region`, then runs `finish`.
EditOutcome OffsetInside(ToolpathDatabase& db, const RegionBoundary& region, Point3 by, OffsetFinish finish,
                         UndoStep undo = UndoStep::Push);

// "좌표 안쪽 Offset": the model XY rectangle between two corners in either order, edges
// included.
EditOutcome OffsetInsideRectangle(ToolpathDatabase& db, double x1, double y1, double x2, double y2, Point3 by,
                                  UndoStep undo = UndoStep::Push);

// "원 안쪽 Offset": the vertical cylinder, XY distance from the centre below the radius.
EditOutcome OffsetInsideCircle(ToolpathDatabase& db, Point3 centre, double radius, Point3 by,
                               UndoStep undo = UndoStep::Push);

// "윈도우 안쪽 Offset", one window between client corners a and b: in the unrotated top view the
// model rectangle under it, in any other view the window as a screen polygon.
EditOutcome OffsetInsideWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view, Point3 by,
                               UndoStep undo = UndoStep::Push);

// "다각형 안쪽 Offset": a polygon of client pixels on the view as it stands (3 vertices or more).
EditOutcome OffsetInsideScreenPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon,
                                      const ViewState& view, Point3 by, UndoStep undo = UndoStep::Push);

// "화일에 의한 안쪽 Offset": every polygon of a point file in model XY, one after the other in
// file order, with one undo step for all; a polygon of fewer than 3 vertices holds nothing.
EditOutcome OffsetInsidePolygons(ToolpathDatabase& db, std::span<const std::vector<Point3>> polygons, Point3 by,
                                 UndoStep undo = UndoStep::Push);

// "Z 좌표 바같쪽 Offset": what lies above or below the band is shifted.
EditOutcome OffsetOutsideZBand(ToolpathDatabase& db, const ZOffsetBand& band, Point3 by,
                               UndoStep undo = UndoStep::Push);

}  // namespace fendo
