#pragma once

#include <vector>

#include "core/toolpath_record.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// A program as the edits of direction, start points, plunges, subdivision and Z-up rebuild
// it: its motion records in order, each arc followed by its centre record and nothing else (no
// None records, no stray centre records), as CompactRecords leaves the work buffer. The edits
// build a new list beside the work buffer and put it back whole, so a result that does not fit
// changes nothing.
using RecordList = std::vector<ToolpathRecord>;

// The records CompactRecords would keep, in order.
RecordList CompactedRecords(ToolpathDatabase& db);

// Drops None records and centre records that follow no arc: CompactRecords on a list.
void CompactInPlace(RecordList& records);

// The motion record after i (skipping i's centre record), records.size() when there is none.
inline int NextMotionIn(const RecordList& records, int i) {
  const int next = i + 1;
  if (next < static_cast<int>(records.size()) && IsCentreKind(records[next].kind)) return next + 1;
  return next;
}
// The motion record before i, −1 when there is none.
inline int PrevMotionIn(const RecordList& records, int i) {
  const int prev = i - 1;
  if (prev >= 0 && IsCentreKind(records[prev].kind)) return prev - 1;
  return prev;
}

// Whether the move from a to b goes straight down, a vertical plunge: no X or Y travel at all.
inline bool StraightDown(const ToolpathRecord& a, const ToolpathRecord& b) {
  return a.x == b.x && a.y == b.y && b.z < a.z;
}

// The stretch of records a path occupies, as NextPathRange finds it: from two motion records
// before the path's first cutting record (its traverse and approach) up to, not including, the
// first rapid record after the path.
struct ListRange {
  int begin = 0;
  int end = 0;
};
// The path ranges of records from..to−1, in order; a range never reaches before `from`, nor
// into the range before it.
std::vector<ListRange> PathRangesIn(const RecordList& records, int from, int to);

// What runs on the records after they are put back.
enum class AfterEdit {
  Nothing,
  NormalizeKinds,
  RebuildRapids,  // which compacts and normalises too
};

// Puts `records` in place of the work buffer's records, pushing one undo snapshot first, then
// runs `after`. NoRoom, with the work buffer as it was (and no snapshot), when the records or
// the rebuilt rapid moves would pass the record limit. (Should memory run out after the
// snapshot, the records are put back from it.)
EditOutcome CommitRecords(ToolpathDatabase& db, const RecordList& records, AfterEdit after);

}  // namespace fendo
