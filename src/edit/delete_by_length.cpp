// Deleting by length.
//
// Points: every move of at least the length becomes a rapid move. Long straight links that a
// CAM system made across a part (and that the machine would cut) are taken out this way; the
// rapid rebuild then lifts the tool before each of them and brings it down after it.
//
// Paths: a path is measured from the motion record before its first straight cutting move
// (the approach) to its last cutting move, arcs along the arc. A path shorter than the length
// (strictly) becomes rapid moves, approach included. The search stops at the first path that
// no rapid move follows before the second-to-last record: the last path of a program stays,
// whatever its length.
//
// Both mark a copy of the work buffer and run the post-edit steps there; the work buffer
// takes the result only when it fits.
#include "edit/delete_by_length.h"

#include <array>
#include <utility>
#include <vector>

#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/motion_records.h"

namespace fendo {
namespace {

using PointRange = FieldRange<PointLengthDeleteOptions>;
using PathRange = FieldRange<PathLengthDeleteOptions>;

constexpr double kShortestDeleted = 0.001;  // mm
constexpr double kLongestLength = 100000;   // mm

constexpr std::array kPointRanges = {
    PointRange{"length", kPointLengthLabel, kShortestDeleted, kLongestLength,
               [](const PointLengthDeleteOptions& o) { return o.length; }},
};
constexpr std::array kPathRanges = {
    PathRange{"length", kPathLengthLabel, 0, kLongestLength, [](const PathLengthDeleteOptions& o) { return o.length; }},
};

// Turns every path shorter than `length` into rapid moves, up to the last path that a rapid
// move follows before the second-to-last record.
void MarkShortPaths(std::vector<ToolpathRecord>& records, double length) {
  const int n = static_cast<int>(records.size());
  int lastMotion = -1;
  for (int i = 0; i < n; ++i) {
    const MoveKind kind = records[i].kind;
    if (!IsLinearFeedKind(kind)) {
      if (IsMotionKind(kind)) lastMotion = i;
      continue;
    }
    const int start = lastMotion < 0 ? i : lastMotion;
    int end = i;  // the path's last cutting move
    int rapid = i;
    for (; rapid < n - 2 && !IsRapidKind(records[rapid].kind); ++rapid) {
      if (IsMotionKind(records[rapid].kind)) end = rapid;
    }
    if (rapid >= n - 2) return;
    double pathLength = 0;
    for (int k = start, previous = start; k <= end; ++k) {
      if (!IsMotionKind(records[k].kind) || k == start) continue;
      pathLength += CuttingLength(PositionOf(records[previous]), records[k], k + 1 < n ? &records[k + 1] : nullptr);
      previous = k;
    }
    if (pathLength < length) {
      for (int k = start; k <= end; ++k) {
        if (IsMotionKind(records[k].kind)) records[k].kind = MoveKind::Rapid;
      }
    }
    lastMotion = i = rapid;
  }
}

}  // namespace

std::span<const FieldRange<PointLengthDeleteOptions>> PointLengthDeleteRanges() { return kPointRanges; }
std::span<const FieldRange<PathLengthDeleteOptions>> PathLengthDeleteRanges() { return kPathRanges; }

std::optional<OptionOutOfRange> CheckRanges(const PointLengthDeleteOptions& options) {
  return CheckFieldRanges<PointLengthDeleteOptions>(options, kPointRanges);
}

std::optional<OptionOutOfRange> CheckRanges(const PathLengthDeleteOptions& options) {
  return CheckFieldRanges<PathLengthDeleteOptions>(options, kPathRanges);
}

EditOutcome DeletePointsByLength(ToolpathDatabase& db, const PointLengthDeleteOptions& options, UndoStep undo) {
  if (CheckRanges(options)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  const std::unique_ptr<ToolpathDatabase> edited = ScratchCopy(db);
  if (!edited) return EditOutcome::NoRoom;
  // Every move after the first motion record of at least the length, and every rapid move,
  // becomes a RapidStart.
  bool first = true;
  ForEachMotionFrom(*edited, [&](int i, const ToolpathRecord& record, Point3 from) {
    if (std::exchange(first, false)) return;
    if (IsRapidKind(record.kind) || CuttingLength(from, record, edited->RecordAt(i + 1)) >= options.length) {
      edited->SetKind(i, MoveKind::RapidStart);
    }
  });
  // Normalise and compact, then rebuild: the rebuild compacts and normalises again, so only
  // what it would see otherwise is done before it.
  NormalizeBeforeRebuild(*edited);
  if (!edited->IsMotion(0)) CompactRecords(*edited);
  if (!RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

EditOutcome DeletePathsByLength(ToolpathDatabase& db, const PathLengthDeleteOptions& options, UndoStep undo) {
  if (CheckRanges(options)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  std::vector<ToolpathRecord> records = CopyRecords(db);
  MarkShortPaths(records, options.length);
  // One rebuild gives what two would: a rebuilt program rebuilds to itself.
  return RebuildAndCommit(db, records, undo);
}

}  // namespace fendo
