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

// After the rebuild, a rapid run that ends at the start of a path's first cut (a plunge made a
// rapid move, a path run backwards) comes down from above the end of that cut: a slanted rapid
// move into the material. Its traverse is put above the point the run ends at, so the tool
// comes straight down there.
void TraverseAboveRapidEnds(ToolpathDatabase& db) {
  const float safeHeight = static_cast<float>(db.safeZ);
  for (int i = 2; i + 1 < db.recordCount; ++i) {
    const ToolpathRecord& end = *db.RecordAt(i);
    const ToolpathRecord& traverse = *db.RecordAt(i - 1);
    if (!IsRapidKind(end.kind) || !IsCuttingKind(db.RecordAt(i + 1)->kind) || !IsRapidKind(traverse.kind) ||
        traverse.z != safeHeight || (traverse.x == end.x && traverse.y == end.y) || end.z >= safeHeight) {
      continue;
    }
    db.ReadRecord(i - 1);
    db.cursor.x = end.x;
    db.cursor.y = end.y;
    db.WriteRecord(i - 1);
  }
}

// How many records RebuildRapids makes of `records`: each rapid run becomes its first record
// (or a retract) and, before a path, a traverse, its last record and the path's first record.
std::size_t RebuiltCount(const RecordList& records) {
  const std::size_t n = records.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < n;) {
    if (!IsRapidKind(records[i].kind)) {
      ++count;
      ++i;
      continue;
    }
    ++count;
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
  if (rebuild && RebuiltCount(records) > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) {
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
    TraverseAboveRapidEnds(db);
  }
  if (after == AfterEdit::NormalizeKinds) NormalizeKinds(db);
  return EditOutcome::Changed;
}

}  // namespace fendo
