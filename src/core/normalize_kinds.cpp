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

void DeleteZeroLengthFeeds(ToolpathDatabase& db, int first) {
  int kept = first;
  db.ReadRecord(first);
  MoveKind keptKind = db.cursor.kind;
  for (int i = db.NextMotion(first); i != 0; i = db.NextMotion(i)) {
    const MoveKind kind = db.cursor.kind;
    if (IsLinearFeedKind(kind) && IsLinearFeedKind(keptKind) && db.Segment(i, kept).length == 0) {
      db.SetKind(i, MoveKind::None);
      continue;
    }
    kept = i;
    keptKind = kind;
  }
}

void ReflagKinds(ToolpathDatabase& db, int first) {
  db.ReadRecord(first);
  MoveKind previous = db.cursor.kind;
  for (int i = db.NextMotion(first); i != 0; i = db.NextMotion(i)) {
    MoveKind kind = db.cursor.kind;
    if (IsRapidKind(kind)) {
      kind = IsRapidKind(previous) ? MoveKind::Rapid : MoveKind::RapidStart;
    } else if (IsLinearFeedKind(kind)) {
      kind = IsLinearFeedKind(previous) ? MoveKind::Feed : MoveKind::FeedStart;
    }
    if (kind != db.cursor.kind) db.SetKind(i, kind);
    previous = kind;
  }
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
