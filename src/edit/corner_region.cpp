// Corner regions. The walk runs over the motion records of the compacted program (an arc's
// centre record is no position); c only moves forward, and starts again at each path's
// approach, so the walk stays linear. The selection is made on a list beside the work buffer,
// which takes it whole.
#include "edit/corner_region.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/geometry.h"
#include "core/toolpath_database.h"
#include "edit/record_list.h"
#include "edit/subdivision.h"

namespace fendo {
namespace {

using Range = FieldRange<CornerParams>;

constexpr double kLevel = 0.0001;   // a move whose unit vector rises less than this is horizontal
constexpr int kFewestBefore = 3;    // c stays at least this many records before a
constexpr double kSlopeReach = 10;  // slopes are taken over at least the distance / this

constexpr std::array kRanges = {
    Range{"angle", kCornerAngleLabel, 0.01, 90, [](const CornerParams& p) { return p.angle; }},
    Range{"distance", kCornerDistanceLabel, 0.01, 1000, [](const CornerParams& p) { return p.distance; }},
    Range{"interval", kCornerSubdivideLabel, 0.1, 1000, [](const CornerParams& p) { return p.interval; }},
};

// The unit vector of the move from p to q; zero for a move without length.
Point3 UnitOf(Point3 p, Point3 q) { return VectorBetween(q, p).unit; }

// The slope of a move with unit vector u: the angle of (its horizontal length, its Z) in
// degrees, 0 … 360; 0 for a horizontal move.
double SlopeOf(Point3 u) {
  if (std::abs(u.z) <= kLevel) return 0;
  return PlaneAngle(u.z, std::sqrt(u.x * u.x + u.y * u.y));
}

// The walk over one program's motion records: positions and kinds by motion index.
class CornerWalk {
 public:
  CornerWalk(RecordList& records, const CornerParams& params) : records_(records), params_(params) {
    for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) motions_.push_back(i);
  }

  void SelectCorners() {
    int s = 0;          // where c starts: the approach of the path, then the last c
    int feedStart = -1;  // the current path's FeedStart
    for (int a = 0; a < Count(); ++a) {
      const MoveKind kind = Kind(a);
      if (kind == MoveKind::FeedStart) {
        feedStart = a;
        s = a > 0 ? a - 1 : a;
        continue;
      }
      if (kind != MoveKind::Feed || feedStart < 0 || Distance2(a - 1, a) == 0) continue;
      if (const std::optional<int> c = CornerStart(a, feedStart, s)) s = *c;
    }
  }

 private:
  int Count() const { return static_cast<int>(motions_.size()); }
  ToolpathRecord& At(int k) { return records_[motions_[k]]; }
  MoveKind Kind(int k) { return At(k).kind; }
  Point3 Position(int k) { return PositionOf(At(k)); }
  double Distance2(int j, int k) {
    const Point3 d = Position(k) - Position(j);
    return d.x * d.x + d.y * d.y + d.z * d.z;
  }

  // Steps 1 to 3 for the Feed record a: the c it found (to become the next s), nothing when a
  // was given up. Distances are compared squared; the slopes (the costly part) are worked out
  // only for a path that turns upward.
  std::optional<int> CornerStart(int a, int feedStart, int s) {
    const double reach = params_.distance / kSlopeReach;
    const double reach2 = reach * reach;
    const double distance2 = params_.distance * params_.distance;
    // 1. Where the slope at a is taken from: far enough back for a sloping move.
    const Point3 own = UnitOf(Position(a - 1), Position(a));
    int b = a - 1;
    if (std::abs(own.z) > kLevel) {
      while (Distance2(b, a) < reach2) {
        if (--b <= feedStart) return std::nullopt;
      }
    }
    // 2. c, and the move from c over which its slope is taken; the path ends (the next one
    // begins, or a rapid move comes) before that move's end: no slope.
    int c = s;
    while (a - c >= kFewestBefore && Distance2(c + 1, a) > distance2) ++c;
    int e = c + 1;
    for (;; ++e) {
      if (e >= Count() || Kind(e) != MoveKind::Feed) return std::nullopt;
      if (Distance2(c, e) > reach2) break;
    }
    const Point3 fromC = UnitOf(Position(c), Position(e));
    // 3. A turn upward steeper than the angle.
    if (own.z > fromC.z) {
      const double slopeA = std::abs(own.z) > kLevel ? SlopeOf(UnitOf(Position(b), Position(a))) : 0;
      double turn = slopeA - SlopeOf(fromC);
      if (turn < 0) turn += 360;
      if (turn > 180) turn = 360 - turn;
      if (turn > params_.angle) {
        for (int k = c + 1; k <= a; ++k) At(k).selected = 1;
      }
    }
    return c;
  }

  RecordList& records_;
  const CornerParams& params_;
  std::vector<int> motions_;  // record index of each motion record
};

// The program's records with the corner regions selected, subdivided first when asked; nothing
// when the pieces would pass the record limit.
std::optional<RecordList> CornersMarked(ToolpathDatabase& db, const CornerParams& params) {
  std::optional<RecordList> records = CompactedRecords(db);
  if (params.subdivide) records = SubdividedRecords(*records, params.interval);
  if (records) CornerWalk(*records, params).SelectCorners();
  return records;
}

}  // namespace

std::span<const FieldRange<CornerParams>> CornerRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckCornerParams(const CornerParams& params) {
  return CheckFieldRanges<CornerParams>(params, kRanges);
}

EditOutcome SelectCorners(ToolpathDatabase& db, const CornerParams& params) {
  if (CheckCornerParams(params)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  const int before = db.recordCount;
  const std::optional<RecordList> records = CornersMarked(db, params);
  if (!records) return EditOutcome::NoRoom;
  if (static_cast<int>(records->size()) > before) return CommitRecords(db, *records, AfterEdit::Nothing);
  return db.ReplaceRecords(*records) ? EditOutcome::Changed : EditOutcome::NoRoom;
}

EditOutcome TrimToCorners(ToolpathDatabase& db, const CornerParams& params, UndoStep undo) {
  if (CheckCornerParams(params)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  std::optional<RecordList> records = CornersMarked(db, params);
  if (!records) return EditOutcome::NoRoom;
  for (ToolpathRecord& r : *records) {
    if (!IsMotionKind(r.kind)) continue;
    if (r.selected != 1) r.kind = MoveKind::Rapid;
    r.selected = 0;
  }
  return RebuildAndCommit(db, *records, undo);
}

}  // namespace fendo
