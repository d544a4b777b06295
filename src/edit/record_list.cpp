#include "edit/record_list.h"

#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {

RecordList CompactedRecords(ToolpathDatabase& db) {
  RecordList records;
  records.reserve(db.recordCount);
  bool afterArc = false;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (IsMotionKind(r.kind) || (afterArc && IsCentreKind(r.kind))) records.push_back(r);
    afterArc = IsArcKind(r.kind);
  });
  return records;
}

void CompactInPlace(RecordList& records) {
  std::size_t kept = 0;
  bool afterArc = false;
  for (const ToolpathRecord& r : records) {
    const bool keep = IsMotionKind(r.kind) || (afterArc && IsCentreKind(r.kind));
    afterArc = IsArcKind(r.kind);
    if (keep) records[kept++] = r;
  }
  records.resize(kept);
}

std::vector<ListRange> PathRangesIn(const RecordList& records, int from, int to) {
  std::vector<ListRange> ranges;
  int b = from;
  for (;;) {
    // A range never reaches back into the one before: with a single rapid move between two
    // paths, the record two motions back is the end of the path before.
    const int floor = b;
    while (b < to && (IsCentreKind(records[b].kind) || IsRapidKind(records[b].kind))) ++b;
    if (b >= to) return ranges;
    ListRange range{b, b + 1};
    for (int back = 0; back < 2; ++back) {
      const int prev = PrevMotionIn(records, range.begin);
      if (prev >= floor) range.begin = prev;
    }
    while (range.end < to && !IsRapidKind(records[range.end].kind)) ++range.end;
    ranges.push_back(range);
    b = range.end;
  }
}

namespace {


// How many records RebuildRapids makes of `records`: each rapid run becomes its first record
// (or a retract; a first record that rises straight to below safeZ, and a rise on from it) and,
// before a path, a traverse, its last record and the path's first record.
std::size_t RebuiltCount(const RecordList& records, double safeZ) {
  const std::size_t n = records.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < n;) {
    if (!IsRapidKind(records[i].kind)) {
      ++count;
      ++i;
      continue;
    }
    ++count;
    const int before = PrevMotionIn(records, static_cast<int>(i));
    if (before >= 0) {
      const ToolpathRecord& from = records[before];
      const ToolpathRecord& rise = records[i];
      if (from.x == rise.x && from.y == rise.y && rise.z > from.z && rise.z < static_cast<float>(safeZ)) ++count;
    }
    std::size_t next = i + 1;
    while (next < n && !IsCuttingKind(records[next].kind)) ++next;
    if (next >= n) break;
    count += 3;
    i = next + 1;
  }
  return count;
}

}  // namespace

EditOutcome CommitRecords(ToolpathDatabase& db, const RecordList& records, AfterEdit after) {
  if (records.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return EditOutcome::NoRoom;
  // The rebuild may lengthen the program: a result past the limit is refused before anything
  // changes.
  const bool rebuild = after == AfterEdit::RebuildRapids;
  if (rebuild && RebuiltCount(records, db.safeZ) > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) {
    return EditOutcome::NoRoom;
  }
  db.Snapshot(SnapshotMode::Push);
  if (!db.ReplaceRecords(records)) return EditOutcome::NoRoom;
  if (rebuild) {
    // It fits, so only a failure of memory could stop the rebuild; the snapshot then holds the
    // records as they were.
    if (!RebuildRapids(db)) {
      db.Snapshot(SnapshotMode::Undo);
      return EditOutcome::NoRoom;
    }
  }
  if (after == AfterEdit::NormalizeKinds) NormalizeKinds(db);
  return EditOutcome::Changed;
}

}  // namespace fendo
