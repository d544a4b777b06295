#pragma once

#include <span>

#include "core/point3.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// "열려진 경로", "닫혀진 경로", "닫혀진 경로 & 열려진 경로": which paths get a new start.
enum class StartPointMode {
  Open = 1,
  Closed = 2,
  Both = 3,
};

// The most points the user can click for one change.
inline constexpr int kMostStartPoints = 20;

// Chooses where paths start, from points the user clicked (model X and Y; Z is not used):
// - an open path whose end lies nearer to a clicked point than its start is reversed;
// - a closed path (its last cut ends within 0.01 of where it starts) is rewritten to start at
//   its record nearest to a clicked point, entered straight down from safeZ and run once round
//   back to that record (so it stays closed); it then runs the way that turns left of the
//   direction from the click to the new start, and is reversed otherwise.
// Plunges are made rapid moves first (NormalizePlunges), cuts at exactly safeZ become rapid
// moves, and the rapid moves are rebuilt. Points farther than 1000 mm from a path do not
// choose for it. One undo snapshot; Unchanged without points, NoRoom when the rebuilt program
// would pass the record limit.
EditOutcome ChangeStartPoints(ToolpathDatabase& db, StartPointMode mode, std::span<const Point3> clicked);

}  // namespace fendo
