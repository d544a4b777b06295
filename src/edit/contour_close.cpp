// Contour close. The paths are found as runs of cutting records between rapid records; the
// rings to close are rewritten into a new list beside the work buffer, which takes it whole.
#include "edit/contour_close.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/toolpath_database.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

constexpr double kSameHeight = 0.01;     // mm: a path ending this near its start height is a ring
constexpr double kGapAllowance = 0.01;   // mm: a gap this much above the value entered stays open
constexpr int kShortRing = 10;            // a ring offers its gap only with more records than this after s

// One path: its approach s, its first cut f and its last motion record e.
struct Path {
  int approach = -1;  // -1 for a program that begins with a cut
  int first = 0;
  int last = 0;
  int motions = 0;    // motion records from f to e
};

std::vector<Path> PathsIn(const RecordList& records) {
  std::vector<Path> paths;
  const int n = static_cast<int>(records.size());
  for (int i = 0; i < n;) {
    if (!IsCuttingKind(records[i].kind)) {
      i = NextMotionIn(records, i);
      continue;
    }
    Path path{PrevMotionIn(records, i), i, i, 0};
    for (; i < n && IsCuttingKind(records[i].kind); i = NextMotionIn(records, i)) {
      path.last = i;
      ++path.motions;
    }
    paths.push_back(path);
  }
  return paths;
}

// A path that begins with an arc has no FeedStart to come back to in a straight cut.
bool IsRing(const RecordList& records, const Path& path) {
  return path.approach >= 0 && records[path.first].kind == MoveKind::FeedStart &&
         std::abs(double{records[path.first].z} - records[path.last].z) < kSameHeight;
}

double GapOf(const RecordList& records, const Path& path) {
  return Length(PositionOf(records[path.last]) - PositionOf(records[path.approach]));
}

}  // namespace

double LargestRingGap(ToolpathDatabase& db) {
  const RecordList records = CompactedRecords(db);
  double largest = 0;
  for (const Path& path : PathsIn(records)) {
    if (IsRing(records, path) && path.motions > kShortRing) largest = std::max(largest, GapOf(records, path));
  }
  return largest;
}

EditOutcome CloseContours(ToolpathDatabase& db, double gap) {
  const RecordList records = CompactedRecords(db);
  RecordList out;
  out.reserve(records.size() + 64);
  int copied = 0;
  for (const Path& path : PathsIn(records)) {
    if (!IsRing(records, path) || !(GapOf(records, path) < gap + kGapAllowance)) continue;
    out.insert(out.end(), records.begin() + copied, records.begin() + path.approach);
    ToolpathRecord end = records[path.last];
    end.kind = MoveKind::RapidStart;
    ToolpathRecord above = end;
    above.z = static_cast<float>(db.safeZ);
    out.push_back(above);
    out.push_back(end);
    copied = NextMotionIn(records, path.last);
    out.insert(out.end(), records.begin() + path.first, records.begin() + copied);
  }
  if (copied == 0) return EditOutcome::Unchanged;
  out.insert(out.end(), records.begin() + copied, records.end());
  return CommitRecords(db, out, AfterEdit::NormalizeKinds);
}

}  // namespace fendo
