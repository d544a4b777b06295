// Point change. A move rewrites one record where it stands; an insert shifts every record
// after it up by one, so it is built as a copy beside the work buffer and put back whole.
#include "edit/point_edit.h"

#include <array>
#include <vector>

#include "core/toolpath_database.h"

namespace fendo {
namespace {

using Range = FieldRange<PointEditValues>;

constexpr double kHighestFeed = 100000;  // mm/min

constexpr std::array kRanges = {
    Range{"feed", "이송속도", 0, kHighestFeed, [](const PointEditValues& v) { return double(v.feed); }},
};

MoveKind KindOf(PointMotion motion) {
  return motion == PointMotion::Rapid ? MoveKind::RapidStart : MoveKind::FeedStart;
}

// The kind of the motion record that follows an edited record of kind `edited`.
MoveKind FollowingKind(MoveKind edited, MoveKind next) {
  if (edited == MoveKind::RapidStart) {
    if (next == MoveKind::Feed) return MoveKind::FeedStart;
    if (next == MoveKind::RapidStart) return MoveKind::Rapid;
  } else {
    if (next == MoveKind::Rapid) return MoveKind::RapidStart;
    if (next == MoveKind::FeedStart) return MoveKind::Feed;
  }
  return next;
}

ToolpathRecord EditedRecord(const ToolpathRecord& at, const PointEditValues& values, int feed) {
  ToolpathRecord r = at;
  r.x = static_cast<float>(values.x);
  r.y = static_cast<float>(values.y);
  r.z = static_cast<float>(values.z);
  r.feed = feed;
  r.kind = KindOf(values.motion);
  return r;
}

EditOutcome MovePoint(ToolpathDatabase& db, int record, const PointEditValues& values, FeedField feed,
                      UndoStep undo) {
  const ToolpathRecord edited =
      EditedRecord(*db.RecordAt(record), values, feed == FeedField::Applied ? values.feed : db.RecordAt(record)->feed);
  const bool arc = IsArcKind(db.RecordAt(record)->kind);
  TakeUndoStep(db, undo);
  db.cursor = ToCursor(edited);
  db.WriteRecord(record);
  // A moved arc end is a straight move now: its centre record goes with the arc.
  if (arc && db.ReadRecord(record + 1) && IsCentreKind(db.cursor.kind)) {
    db.cursor.kind = MoveKind::None;
    db.WriteRecord(record + 1);
  }
  if (const std::optional<int> next = db.HasNextMotion(record)) {
    db.SetKind(*next, FollowingKind(edited.kind, db.cursor.kind));
  }
  return EditOutcome::Changed;
}

EditOutcome InsertPoint(ToolpathDatabase& db, int record, const PointEditValues& values, FeedField feed,
                        UndoStep undo) {
  if (db.recordCount >= ToolpathDatabase::kMaxRecords) return EditOutcome::NoRoom;
  std::vector<ToolpathRecord> records = CopyRecords(db);
  ToolpathRecord& before = records[record];
  const ToolpathRecord inserted =
      EditedRecord(before, values, feed == FeedField::Applied ? values.feed : before.feed);
  before.kind = FollowingKind(inserted.kind, before.kind);
  records.insert(records.begin() + record, inserted);
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
  if (!edited) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

}  // namespace

std::span<const FieldRange<PointEditValues>> PointEditRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckPointEditValues(const PointEditValues& values) {
  return CheckFieldRanges<PointEditValues>(values, kRanges);
}

PointEditValues PointEditValuesOf(ToolpathDatabase& db, int record, PointEditMode mode) {
  const ToolpathRecord& r = *db.RecordAt(record);
  return {r.x, r.y, r.z, r.feed, mode, IsRapidKind(r.kind) ? PointMotion::Rapid : PointMotion::Cutting};
}

EditOutcome EditPoint(ToolpathDatabase& db, int record, const PointEditValues& values, FeedField feed,
                      UndoStep undo) {
  if (!db.IsMotion(record) || CheckPointEditValues(values)) return EditOutcome::Refused;
  if (values.mode == PointEditMode::Insert) return InsertPoint(db, record, values, feed, undo);
  return MovePoint(db, record, values, feed, undo);
}

std::optional<int> FirstMotionRecord(ToolpathDatabase& db) { return db.FirstMotion(); }

std::optional<int> LastMotionRecord(ToolpathDatabase& db) {
  for (int i = db.recordCount - 1; i >= 0; --i) {
    if (db.IsMotion(i)) return i;
  }
  return std::nullopt;
}

}  // namespace fendo
