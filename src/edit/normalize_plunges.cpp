// Plunges turned into rapid moves to the plunge bottom. The walk looks at each motion record
// with the (already normalised) motion record before it; runs that merge leave their inner
// records as None, dropped at the end. A cut that ends at exactly safeZ before a slanted entry
// is a move through the air: it becomes a rapid move (a rapid record there stays as it is).
#include "core/toolpath_database.h"
#include "edit/plunge.h"

namespace fendo {
namespace {

// Follows the run of moves straight down that starts with the move into `first`, over the
// records `continues` accepts; the records before the lowest become None. The lowest.
template <typename Continues>
int MergeDescent(RecordList& records, int first, Continues continues) {
  const int n = static_cast<int>(records.size());
  int lowest = first;
  for (int next = NextMotionIn(records, lowest);
       next < n && continues(records[next]) && StraightDown(records[lowest], records[next]);
       next = NextMotionIn(records, lowest)) {
    records[lowest].kind = MoveKind::None;
    lowest = next;
  }
  return lowest;
}

// The path below the merged descent starts at the first linear feed after it.
void StartPathAfter(RecordList& records, int lowest) {
  const int next = NextMotionIn(records, lowest);
  if (next < static_cast<int>(records.size()) && IsLinearFeedKind(records[next].kind)) {
    records[next].kind = MoveKind::FeedStart;
  }
}

}  // namespace

void NormalizePlunges(RecordList& records, double safeZ, bool selectedOnly) {
  const int n = static_cast<int>(records.size());
  const float safeHeight = static_cast<float>(safeZ);
  int prev = -1;
  for (int i = 0; i < n; i = NextMotionIn(records, i)) {
    ToolpathRecord& r = records[i];
    if (prev < 0 || (selectedOnly && r.selected != 1)) {
      prev = i;
      continue;
    }
    const bool down = StraightDown(records[prev], r);
    if (r.kind == MoveKind::FeedStart && down) {
      i = MergeDescent(records, i, [](const ToolpathRecord& next) { return IsLinearFeedKind(next.kind); });
      records[i].kind = MoveKind::Rapid;
      StartPathAfter(records, i);
    } else if (r.kind == MoveKind::FeedStart && records[prev].z == safeHeight && IsLinearFeedKind(records[prev].kind)) {
      records[prev].kind = MoveKind::Rapid;
    } else if (IsRapidKind(r.kind) && down) {
      i = MergeDescent(records, i, [](const ToolpathRecord& next) { return IsRapidKind(next.kind); });
      records[i].kind = MoveKind::Rapid;
      StartPathAfter(records, i);
    }
    prev = i;
  }
  CompactInPlace(records);
}

void NormalizePlunges(ToolpathDatabase& db, bool selectedOnly) {
  RecordList records = CompactedRecords(db);
  NormalizePlunges(records, db.safeZ, selectedOnly);
  db.ReplaceRecords(records);
}

}  // namespace fendo
