// Deleting straight cutting moves by direction.
//
// Both edits work on a copy of the records: the moves to delete are marked there, the result
// is put together, and the post-edit steps run on it beside the work buffer, which takes it
// only when it fits (ScratchStore, CommitEdit).
//
// XY direction: a move's direction D is the angle of its unit vector in XY (PlaneAngle of its
// Y and X components), 0 for a move without length; a vertical move (|Z| of the unit vector
// exactly 1) has none and stays.
//
// Slope: S is the angle between a move and the XY plane, from PlaneAngle of its unit vector's
// Z component and its length in XY, folded into 0 … 90 so that a move down a wall counts as
// steep as one up it. Marked moves that follow each other make a run; a run longer in all than
// the ignore length is deleted, a shorter one (a short flat between two walls) stays, so the
// tool is not lifted for every small step. The marks are kept apart from the records: every
// move that stays keeps the feed it had.
#include "edit/delete_by_angle.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/motion_records.h"

namespace fendo {
namespace {

using XyRange = FieldRange<XyAngleDeleteOptions>;
using SlopeRange = FieldRange<SlopeDeleteOptions>;

constexpr double kWidestAngle = 360;      // degrees
constexpr double kSteepestSlope = 90;     // degrees
constexpr double kLongestIgnored = 100000;  // mm

constexpr std::array kXyRanges = {
    XyRange{"angle", kXyAngleLabel, -kWidestAngle, kWidestAngle, [](const XyAngleDeleteOptions& o) { return o.angle; }},
    XyRange{"tolerance", kXyAngleToleranceLabel, 0, kWidestAngle,
            [](const XyAngleDeleteOptions& o) { return o.tolerance; }},
};

constexpr std::array kSlopeRanges = {
    SlopeRange{"minAngle", kSlopeMinLabel, 0, kSteepestSlope, [](const SlopeDeleteOptions& o) { return o.minAngle; }},
    SlopeRange{"maxAngle", kSlopeMaxLabel, 0, kSteepestSlope, [](const SlopeDeleteOptions& o) { return o.maxAngle; }},
    SlopeRange{"ignoreLength", kSlopeIgnoreLabel, 0, kLongestIgnored,
               [](const SlopeDeleteOptions& o) { return o.ignoreLength; }},
};

bool AlongDirection(const XyAngleDeleteOptions& options, double direction) {
  const double a = options.angle;
  const double t = options.tolerance;
  return std::fabs(a - direction) < t || std::fabs(a + 180 - direction) < t || std::fabs(a + 360 - direction) < t;
}

bool StartsWithRapid(const std::vector<ToolpathRecord>& records) {
  for (const ToolpathRecord& record : records) {
    if (IsMotionKind(record.kind)) return IsRapidKind(record.kind);
  }
  return true;
}

// Degrees between a move with unit vector `unit` and the XY plane, 0 … 90.
double SlopeOf(Point3 unit) {
  double slope = PlaneAngle(unit.z, std::hypot(unit.x, unit.y));
  if (slope > 180) slope -= 180;
  if (slope > 90) slope = 180 - slope;
  return slope;
}

// The records from the first motion record on, each arc with its centre record; every run of
// marked moves longer in all than `ignoreLength` turned into rapid moves.
std::vector<ToolpathRecord> WithoutLongRuns(const std::vector<ToolpathRecord>& records, const std::vector<bool>& marked,
                                            double ignoreLength) {
  const int n = static_cast<int>(records.size());
  std::vector<ToolpathRecord> kept;
  kept.reserve(records.size());
  int previous = -1;  // the last motion record passed
  for (int i = 0; i < n;) {
    const ToolpathRecord& record = records[i];
    if (!IsMotionKind(record.kind)) {
      ++i;
      continue;
    }
    if (!marked[i]) {
      kept.push_back(record);
      if (IsArcKind(record.kind) && i + 1 < n && IsCentreKind(records[i + 1].kind)) kept.push_back(records[i + 1]);
      previous = i++;
      continue;
    }
    double runLength = 0;
    int end = i;
    for (; end < n; ++end) {
      if (!IsMotionKind(records[end].kind)) continue;
      if (!marked[end]) break;
      runLength += StraightMove(records, previous < 0 ? end : previous, end).length;
      previous = end;
    }
    const bool deleted = runLength > ignoreLength;
    for (; i < end; ++i) {
      if (!IsMotionKind(records[i].kind)) continue;
      kept.push_back(records[i]);
      if (deleted) kept.back().kind = MoveKind::RapidStart;
    }
  }
  return kept;
}

}  // namespace

std::span<const FieldRange<XyAngleDeleteOptions>> XyAngleDeleteRanges() { return kXyRanges; }
std::span<const FieldRange<SlopeDeleteOptions>> SlopeDeleteRanges() { return kSlopeRanges; }

std::optional<OptionOutOfRange> CheckRanges(const XyAngleDeleteOptions& options) {
  return CheckFieldRanges<XyAngleDeleteOptions>(options, kXyRanges);
}

std::optional<OptionOutOfRange> CheckRanges(const SlopeDeleteOptions& options) {
  return CheckFieldRanges<SlopeDeleteOptions>(options, kSlopeRanges);
}

EditOutcome DeleteByXyAngle(ToolpathDatabase& db, const XyAngleDeleteOptions& options, UndoStep undo) {
  if (CheckRanges(options)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  std::vector<ToolpathRecord> records = CopyRecords(db);
  ForEachMotion(records, [&](int i, int previous) {
    if (!IsLinearFeedKind(records[i].kind)) return;
    const Point3 unit = StraightMove(records, previous, i).unit;
    if (std::fabs(unit.z) == 1) return;
    if (AlongDirection(options, PlaneAngle(unit.y, unit.x))) records[i].kind = MoveKind::Rapid;
  });
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
  if (!edited) return EditOutcome::NoRoom;
  // The rebuild normalises its result again; before it, normalising changes what the rebuild
  // makes only where the program begins with a cut, which it turns into the rapid start.
  if (!StartsWithRapid(records)) NormalizeKinds(*edited);
  if (!RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

EditOutcome DeleteBySlope(ToolpathDatabase& db, const SlopeDeleteOptions& options, UndoStep undo) {
  if (CheckRanges(options)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  const std::vector<ToolpathRecord> records = CopyRecords(db);
  // 1. Mark the straight cutting moves whose slope lies in the range.
  std::vector<bool> marked(records.size());
  ForEachMotion(records, [&](int i, int previous) {
    if (!IsLinearFeedKind(records[i].kind)) return;
    const double slope = SlopeOf(StraightMove(records, previous, i).unit);
    marked[i] = slope >= options.minAngle && slope <= options.maxAngle;
  });
  // 2. Turn the long runs of them into rapid moves, 3. rebuild the rapid moves.
  const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, WithoutLongRuns(records, marked, options.ignoreLength));
  if (!edited || !RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

}  // namespace fendo
