#include "core/path_length.h"

#include "core/arc_rule.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

// Sums the cutting moves among the motion records from..to−1, each measured from the motion
// record before it (prev for the first).
double SumCuttingLengths(ToolpathDatabase& db, int from, int prev, int to) {
  double total = 0;
  for (int i = from; i < to && i < db.recordCount; ++i) {
    if (!db.IsMotion(i)) continue;
    if (IsLinearFeedKind(db.cursor.kind)) {
      total += db.Segment(i, prev).length;
    } else if (IsArcKind(db.cursor.kind)) {
      total += ArcLength(db, i);
    }
    prev = i;
  }
  return total;
}

}  // namespace

double PathLength(ToolpathDatabase& db) {
  int prev = 0;
  int from = db.NextMotion(0);
  if (!db.IsMotion(0)) {
    prev = from;
    from = db.NextMotion(prev);
  }
  db.pathLength = from == 0 ? 0 : SumCuttingLengths(db, from, prev, db.recordCount);
  return db.pathLength;
}

double RangeLength(ToolpathDatabase& db, int a, int b) {
  return SumCuttingLengths(db, a, db.PrevMotion(a), b);
}

double ArcLength(ToolpathDatabase& db, int i) { return ArcGeometry(db, i).length; }

}  // namespace fendo
