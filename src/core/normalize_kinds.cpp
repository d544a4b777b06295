#include "core/post_edit.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

void StartWithRapid(ToolpathDatabase& db, int first) {
  db.ReadRecord(first);
  if (db.cursor.kind == MoveKind::RapidStart) return;
  db.SetKind(first, MoveKind::RapidStart);
  if (const auto next = db.HasNextMotion(first); next && db.IsLinearFeed(*next)) {
    db.SetKind(*next, MoveKind::FeedStart);
  }
}

// The walks read the records as stored, a chunk at a time, and write only the records they
// change: the post-edit steps run on programs of millions of records after every edit.

void DeleteZeroLengthFeeds(ToolpathDatabase& db, int first) {
  ToolpathRecord kept = *db.RecordAt(first);
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (i <= first || !IsMotionKind(r.kind)) return;
    const bool zeroLength = r.x == kept.x && r.y == kept.y && r.z == kept.z;
    if (IsLinearFeedKind(r.kind) && IsLinearFeedKind(kept.kind) && zeroLength) {
      db.SetKind(i, MoveKind::None);
      return;
    }
    kept = r;
  });
}

void ReflagKinds(ToolpathDatabase& db, int first) {
  MoveKind previous = db.RecordAt(first)->kind;
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (i <= first || !IsMotionKind(r.kind)) return;
    MoveKind kind = r.kind;
    if (IsRapidKind(kind)) {
      kind = IsRapidKind(previous) ? MoveKind::Rapid : MoveKind::RapidStart;
    } else if (IsLinearFeedKind(kind)) {
      kind = IsLinearFeedKind(previous) ? MoveKind::Feed : MoveKind::FeedStart;
    }
    if (kind != r.kind) db.SetKind(i, kind);
    previous = kind;
  });
}

}  // namespace

void NormalizeKinds(ToolpathDatabase& db) {
  const std::optional<int> first = db.FirstMotion();
  if (!first) return;
  StartWithRapid(db, *first);
  DeleteZeroLengthFeeds(db, *first);
  ReflagKinds(db, *first);
}

}  // namespace fendo
