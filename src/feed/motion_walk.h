#pragma once

#include <optional>

#include "core/move_kind.h"
#include "core/path_length.h"
#include "core/toolpath_database.h"

namespace fendo {

// A motion record as the feed changes see it: where it is and how long the move ending at it
// is. Feeds are not kept here: the changes read them from the record when they decide, so
// that a feed lowered a moment earlier counts.
struct Move {
  int index = 0;                   // record index
  int previous = -1;               // the motion record before it, −1 for the first
  MoveKind kind = MoveKind::None;
  double length = 0;               // mm, from the previous motion record (along the arc for
                                   // an arc); 0 for the first motion record
};

// Calls visit(move) for every motion record in order, in one pass over the work buffer.
template <typename Visit>
void ForEachMove(ToolpathDatabase& db, Visit visit) {
  int previous = -1;
  Point3 from;
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (!IsMotionKind(r.kind)) return;
    Move move{.index = i, .previous = previous, .kind = r.kind};
    if (previous >= 0) move.length = IsArcKind(r.kind) ? ArcLength(db, i) : Length(PositionOf(r) - from);
    from = PositionOf(r);
    previous = i;
    visit(move);
  });
}

// Calls visit(before, move, after) for every motion record in order, with the motion records
// on either side of it (nullptr at the ends of the buffer).
template <typename Visit>
void ForEachMoveInContext(ToolpathDatabase& db, Visit visit) {
  std::optional<Move> before;
  std::optional<Move> current;
  ForEachMove(db, [&](const Move& after) {
    if (current) visit(before ? &*before : nullptr, *current, &after);
    before = current;
    current = after;
  });
  if (current) visit(before ? &*before : nullptr, *current, nullptr);
}

// The feed of record i as it stands now, mm/min.
inline int FeedOf(ToolpathDatabase& db, int i) { return db.RecordAt(i)->feed; }

// Gives record i a new feed through the cursor.
inline void WriteFeed(ToolpathDatabase& db, int i, int feed) {
  db.ReadRecord(i);
  db.cursor.feed = feed;
  db.WriteRecord(i);
}

}  // namespace fendo
