#include "generate/generated_path.h"

#include "edit/edit_commit.h"

namespace fendo {

void GeneratedPath::Add(MoveKind kind, double x, double y, double z) {
  if (records_.size() >= room_) {
    full_ = true;
    return;
  }
  const ToolpathRecord r{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), feed_, 0, kind};
  records_.push_back(r);
  if (!IsCentreKind(kind)) at_ = r;
}

void GeneratedPath::Traverse(MoveKind kind, double x, double y) {
  const bool there = IsRapidKind(at_.kind) && at_.x == static_cast<float>(x) && at_.y == static_cast<float>(y) &&
                     at_.z == static_cast<float>(safeZ_);
  if (!there) Add(kind, x, y, safeZ_);
}

void GeneratedPath::FeedTo(double x, double y) {
  if (full_) return;
  if (at_.x == static_cast<float>(x) && at_.y == static_cast<float>(y)) return;
  // A straight cut after an arc starts a run of straight cuts again, as after a rapid move.
  Add(IsLinearFeedKind(at_.kind) ? MoveKind::Feed : MoveKind::FeedStart, x, y, at_.z);
}

void GeneratedPath::ArcTo(MoveKind kind, double x, double y, double cx, double cy) {
  if (full_) return;
  const ToolpathRecord from = at_;
  Add(kind, x, y, from.z);
  Add(MoveKind::CentreXY, cx - from.x, cy - from.y, 0);
}

void GeneratedPath::Retract() {
  if (full_) return;
  RapidStartAbove(at_.x, at_.y);
}

std::size_t RoomBehind(const ToolpathDatabase& db) {
  return static_cast<std::size_t>(ToolpathDatabase::kMaxRecords - db.recordCount);
}

GenerateResult AppendGenerated(ToolpathDatabase& db, const GeneratedPath& path, int levelsLeftOut) {
  GenerateResult result{.levelsLeftOut = levelsLeftOut};
  if (path.full()) {
    result.outcome = EditOutcome::NoRoom;
    return result;
  }
  if (path.records().empty()) return result;
  RecordList records = CopyRecords(db);
  records.insert(records.end(), path.records().begin(), path.records().end());
  result.outcome = CommitRecords(db, records, AfterEdit::Nothing);
  if (result.outcome == EditOutcome::Changed) result.recordsAdded = static_cast<int>(path.records().size());
  return result;
}

}  // namespace fendo
