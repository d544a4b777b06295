#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {

void CompactRecords(ToolpathDatabase& db) {
  int kept = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!db.IsMotion(i)) continue;
    const bool arc = IsArcKind(db.cursor.kind);
    // A record already in its place is not written again.
    if (kept != i) db.WriteRecord(kept);
    ++kept;
    // The record behind an arc is its centre record and moves with it, unless it is a motion
    // record of its own.
    const ToolpathRecord* centre = arc ? db.RecordAt(i + 1) : nullptr;
    if (centre && !IsMotionKind(centre->kind)) {
      db.cursor = ToCursor(*centre);
      if (kept != i + 1) db.WriteRecord(kept);
      ++kept;
      ++i;
    }
  }
  db.recordCount = kept;
}

}  // namespace fendo
