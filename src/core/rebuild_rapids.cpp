// Rebuilding the rapid moves between paths.
//
// Every run of rapid records between two paths becomes: a retract straight up to safeZ above
// the end of the path before it (or the run's own first move, when that already goes straight
// up, and on from there up to safeZ), a traverse at safeZ to above the run's last rapid (the
// approach point), the approach and then the path. Records before the first motion record and
// a rapid run at the very end (after the retract) are dropped. Each new record takes the feed
// of the record it was made from.
//
// The tool so crosses only at safeZ and goes down and up straight. A run whose first move rises
// only part of the way (a retract to a clearance plane) is taken on up before the traverse,
// and the traverse ends above the approach point, not above the path's first cut: where the two
// differ (a plunge made a rapid move, a path run backwards) the tool would otherwise cross
// below safeZ or come down on a slant into the material.
//
// The new sequence is built beside the buffer and written back only when it fits, so a program
// near the record limit is refused whole instead of being cut short.
#include <optional>
#include <vector>

#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

const Point3 kStraightUp{0, 0, 1};

ToolpathRecord AtSafeHeight(ToolpathRecord r, double safeZ, MoveKind kind) {
  r.z = static_cast<float>(safeZ);
  r.kind = kind;
  return r;
}

std::vector<ToolpathRecord> RebuiltSequence(ToolpathDatabase& db, int first) {
  std::vector<ToolpathRecord> out;
  out.reserve(db.recordCount);
  const int n = db.recordCount;
  for (int i = first; i < n;) {
    const ToolpathRecord record = *db.RecordAt(i);
    if (!IsRapidKind(record.kind)) {
      if (record.kind != MoveKind::None) out.push_back(record);
      ++i;
      continue;
    }
    const int before = db.PrevMotion(i);
    const ToolpathRecord pathEnd = *db.RecordAt(before);
    if (db.Segment(i, before).unit == kStraightUp) {
      out.push_back(record);
      if (record.z < static_cast<float>(db.safeZ)) out.push_back(AtSafeHeight(record, db.safeZ, MoveKind::Rapid));
    } else {
      out.push_back(AtSafeHeight(pathEnd, db.safeZ, MoveKind::RapidStart));
    }
    // The run goes on over rapid records (and emptied ones) up to the next cutting move.
    int last = i;
    int next = i + 1;
    for (; next < n; ++next) {
      const MoveKind kind = db.RecordAt(next)->kind;
      if (IsCuttingKind(kind)) break;
      if (IsRapidKind(kind)) last = next;
    }
    if (next >= n) break;
    const ToolpathRecord pathStart = *db.RecordAt(next);
    ToolpathRecord approach = *db.RecordAt(last);
    ToolpathRecord traverse = AtSafeHeight(pathStart, db.safeZ, MoveKind::Rapid);
    traverse.x = approach.x;
    traverse.y = approach.y;
    out.push_back(traverse);
    approach.kind = MoveKind::Rapid;
    out.push_back(approach);
    out.push_back(pathStart);
    i = next + 1;
  }
  return out;
}

}  // namespace

bool RebuildRapids(ToolpathDatabase& db) {
  const std::optional<int> first = db.FirstMotion();
  if (!first) return true;
  if (!db.ReplaceRecords(RebuiltSequence(db, *first))) return false;
  CompactRecords(db);
  NormalizeKinds(db);
  return true;
}

}  // namespace fendo
