// Deleting straight cutting moves by direction.
//
// Both edits work on a copy of the work buffer: the moves to delete are marked there and the
// post-edit steps run on it, and the work buffer takes the result only when it fits
// (ScratchCopy, CommitEdit).
//
// XY direction: a move's direction D is the angle of its unit vector in XY (PlaneAngle of its
// Y and X components), 0 for a move without length; a vertical move (|Z| of the unit vector
// exactly 1) has none and stays.
//
// Slope: S is the angle between a move and the XY plane, from PlaneAngle of its unit vector's
// Z component and its length in XY, folded into 0 … 90 so that a move down a wall counts as
// steep as one up it. Marked moves that follow each other make a run; a run longer in all than
// the ignore length is deleted, a shorter one (a short flat between two walls) stays, so the
// tool is not lifted for every small step. No move is marked by its feed: every move that
// stays keeps the feed it had.
#include "edit/delete_by_angle.h"

#include <array>
#include <cmath>

#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/motion_records.h"
#include "edit/plunge.h"

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

// Degrees between a move with unit vector `unit` and the XY plane, 0 … 90.
double SlopeOf(Point3 unit) {
  double slope = PlaneAngle(unit.z, std::hypot(unit.x, unit.y));
  if (slope > 180) slope -= 180;
  if (slope > 90) slope = 180 - slope;
  return slope;
}

bool InSlopeRange(const SlopeDeleteOptions& options, double slope) {
  return slope >= options.minAngle && slope <= options.maxAngle;
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
  const std::unique_ptr<ToolpathDatabase> edited = ScratchCopy(db);
  if (!edited) return EditOutcome::NoRoom;
  ForEachMotionFrom(*edited, [&](int i, const ToolpathRecord& record, Point3 from) {
    if (!IsLinearFeedKind(record.kind)) return;
    const Point3 unit = VectorBetween(PositionOf(record), from).unit;
    if (std::fabs(unit.z) == 1) return;
    if (AlongDirection(options, PlaneAngle(unit.y, unit.x))) edited->SetKind(i, MoveKind::Rapid);
  });
  NormalizeBeforeRebuild(*edited);
  if (!RebuildRapids(*edited)) return EditOutcome::NoRoom;
  return CommitEdit(db, *edited, undo);
}

EditOutcome DeleteBySlope(ToolpathDatabase& db, const SlopeDeleteOptions& options, UndoStep undo) {
  if (CheckRanges(options)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  const std::unique_ptr<ToolpathDatabase> edited = ScratchCopy(db);
  if (!edited) return EditOutcome::NoRoom;
  // 1. Mark the straight cutting moves whose slope lies in the range; 2. a run of them longer
  // in all than the ignore length becomes rapid moves when it ends.
  struct {
    int first = -1;  // the first record of the run, -1 while there is none
    int last = 0;
    double length = 0;  // mm
  } run;
  const auto endRun = [&] {
    if (run.first >= 0 && run.length > options.ignoreLength) {
      for (int k = run.first; k <= run.last; ++k) edited->SetKind(k, MoveKind::RapidStart);
    }
    run = {};
  };
  ForEachMotionFrom(*edited, [&](int i, const ToolpathRecord& record, Point3 from) {
    const SegmentResult move = VectorBetween(PositionOf(record), from);
    if (!IsLinearFeedKind(record.kind) || !InSlopeRange(options, SlopeOf(move.unit))) {
      endRun();
      return;
    }
    if (run.first < 0) run.first = i;
    run.last = i;
    run.length += move.length;
  });
  endRun();
  // 3. Rebuild the rapid moves; the plunges they lead to come down at rapid to their bottoms,
  // as after every edit that leaves paths to be entered anew.
  if (!RebuildRapids(*edited)) return EditOutcome::NoRoom;
  NormalizePlunges(*edited);
  return CommitEdit(db, *edited, undo);
}

}  // namespace fendo
