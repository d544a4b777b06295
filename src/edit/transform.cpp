// Move, rotate, mirror and scale, in place or as copies.
//
// Each copy is one placement of the toolpath, p → centre + L(p − centre) + shift, with L a
// turn about the vertical axis or a scale along the axes. Straight moves only need their end
// points placed. An arc also keeps its centre record (an offset from its start, so it takes L
// alone), and it stays an arc only where the placed curve is still a circle in one of the
// three planes: a turn keeps XY arcs, and arcs of the other planes on a half turn; a scale
// keeps an arc when both axes of its plane are scaled by the same amount, mirrored or not.
// An arc that would not stay one is cut into chords within 0.001 mm before it is placed.
// The whole result is counted before it is built, so a result past the record limit costs
// neither the memory nor the change.
#include "edit/transform.h"

#include <array>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/toolpath_database.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

using Range = FieldRange<TransformParams>;

constexpr double kLongest = 10000;      // mm
constexpr double kMostDegrees = 3600;   // degrees
constexpr double kLargestFactor = 1000;
constexpr int kMostCopies = 10000;
constexpr double kChordTolerance = 0.001;  // mm, arcs that cannot stay arcs become chords this close

constexpr std::array kRanges = {
    Range{"dx", "X축", -kLongest, kLongest, [](const TransformParams& p) { return p.dx; }},
    Range{"dy", "Y축", -kLongest, kLongest, [](const TransformParams& p) { return p.dy; }},
    Range{"dz", "Z축", -kLongest, kLongest, [](const TransformParams& p) { return p.dz; }},
    Range{"angle", "Z축", -kMostDegrees, kMostDegrees, [](const TransformParams& p) { return p.angle; }},
    Range{"centreX", "X축", -kLongest, kLongest, [](const TransformParams& p) { return p.centreX; }},
    Range{"centreY", "Y축", -kLongest, kLongest, [](const TransformParams& p) { return p.centreY; }},
    Range{"centreZ", "Z축", -kLongest, kLongest, [](const TransformParams& p) { return p.centreZ; }},
    Range{"sx", "X축", -kLargestFactor, kLargestFactor, [](const TransformParams& p) { return p.sx; }},
    Range{"sy", "Y축", -kLargestFactor, kLargestFactor, [](const TransformParams& p) { return p.sy; }},
    Range{"sz", "Z축", -kLargestFactor, kLargestFactor, [](const TransformParams& p) { return p.sz; }},
    Range{"copies", "복사 횟수", 0, kMostCopies, [](const TransformParams& p) { return double(p.copies); }},
};

// What becomes of an arc under a placement.
enum class ArcFate { Keep, Flip, Chords };

// cos and sin of an angle in degrees, exact on the quarter turns so that they land on the axes.
std::pair<double, double> CosSin(double degrees) {
  const double a = std::remainder(degrees, 360.0);
  if (a == 0) return {1, 0};
  if (a == 90) return {0, 1};
  if (a == -90) return {0, -1};
  if (a == 180 || a == -180) return {-1, 0};
  const double radians = a * std::numbers::pi / 180;
  return {std::cos(radians), std::sin(radians)};
}

struct Placement {
  Point3 centre;
  Point3 shift;
  double cosA = 1;
  double sinA = 0;
  Point3 factors{1, 1, 1};

  bool Turns() const { return cosA != 1 || sinA != 0; }
  bool IsIdentity() const { return !Turns() && factors == Point3{1, 1, 1} && shift == Point3{}; }

  Point3 Linear(Point3 v) const {
    v = {v.x * factors.x, v.y * factors.y, v.z * factors.z};
    return {cosA * v.x - sinA * v.y, sinA * v.x + cosA * v.y, v.z};
  }
  Point3 Map(Point3 p) const { return centre + Linear(p - centre) + shift; }

  ArcFate FateOf(ArcPlane plane) const {
    if (Turns()) {
      if (plane == ArcPlane::XY) return ArcFate::Keep;
      // A half turn is a mirror of both horizontal axes: one of them lies in the arc's plane.
      return cosA == -1 ? ArcFate::Flip : ArcFate::Chords;
    }
    const PlaneAxes axes = AxesOf(plane);
    const double f1 = factors.*axes.first;
    const double f2 = factors.*axes.second;
    if (f1 == 0 || std::abs(f1) != std::abs(f2)) return ArcFate::Chords;
    return (f1 < 0) != (f2 < 0) ? ArcFate::Flip : ArcFate::Keep;
  }
};

// The placements the parameters ask for: the first replaces the toolpath unless copies are
// asked for, in which case each one is appended after it.
std::vector<Placement> PlacementsOf(const TransformParams& p) {
  const Point3 centre{p.centreX, p.centreY, p.centreZ};
  // Mirror and scale append one copy whatever the count says.
  const int count = !p.copy || p.method == TransformMethod::MirrorScale ? 1 : p.copies;
  std::vector<Placement> placements;
  for (int i = 1; i <= count; ++i) {
    Placement m;
    m.centre = centre;
    switch (p.method) {
      case TransformMethod::Move:
        m.shift = Point3{p.moveX ? p.dx : 0, p.moveY ? p.dy : 0, p.moveZ ? p.dz : 0} * i;
        break;
      case TransformMethod::Rotate:
        if (p.rotateZ) std::tie(m.cosA, m.sinA) = CosSin(p.angle * i);
        break;
      case TransformMethod::MirrorScale:
        m.factors = {p.scaleX ? p.sx : 1, p.scaleY ? p.sy : 1, p.scaleZ ? p.sz : 1};
        break;
    }
    placements.push_back(m);
  }
  return placements;
}

MoveKind OtherSense(MoveKind arc) { return arc == MoveKind::ArcCw ? MoveKind::ArcCcw : MoveKind::ArcCw; }

bool Holdable(Point3 p) {
  const double limit = ToolpathDatabase::kCoordinateLimit;
  return std::abs(p.x) <= limit && std::abs(p.y) <= limit && std::abs(p.z) <= limit;
}

// The arc that ends at motion record i, with its centre record at i + 1.
Arc ArcEndingAt(const RecordList& records, int prev, int i) {
  const ToolpathRecord& centre = records[i + 1];
  return MeasureArc(PositionOf(records[prev]), PositionOf(records[i]), PositionOf(centre), records[i].kind,
                    PlaneOfCentreKind(centre.kind));
}

// Whether record i is an arc that the placement cuts into chords; the arc's chord count then.
int ChordsOf(const RecordList& records, int prev, int i, const Placement& m) {
  const int n = static_cast<int>(records.size());
  if (!IsArcKind(records[i].kind) || prev < 0 || i + 1 >= n || !IsCentreKind(records[i + 1].kind)) return 0;
  if (m.FateOf(PlaneOfCentreKind(records[i + 1].kind)) != ArcFate::Chords) return 0;
  return ChordCount(ArcEndingAt(records, prev, i), kChordTolerance);
}

// How many records the placement makes of `records`.
std::size_t PlacedCount(const RecordList& records, const Placement& m) {
  std::size_t count = 0;
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    const int chords = ChordsOf(records, prev, i, m);
    count += chords > 0 ? chords : NextMotionIn(records, i) - i;
    prev = i;
  }
  return count;
}

ToolpathRecord Placed(ToolpathRecord r, Point3 p) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
  return r;
}

// Appends the records as the placement puts them; false when a position would lie beyond what
// a record can hold.
bool AppendPlaced(const RecordList& records, const Placement& m, RecordList& out) {
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    const ToolpathRecord& r = records[i];
    if (const int chords = ChordsOf(records, prev, i, m); chords > 0) {
      const Arc arc = ArcEndingAt(records, prev, i);
      MoveKind kind = IsRapidKind(records[prev].kind) ? MoveKind::FeedStart : MoveKind::Feed;
      for (int k = 1; k <= chords; ++k) {
        const Point3 p = m.Map(ArcChordPoint(arc, k, chords));
        if (!Holdable(p)) return false;
        ToolpathRecord chord = Placed(r, p);
        chord.kind = kind;
        out.push_back(chord);
        kind = MoveKind::Feed;
      }
      prev = i;
      continue;
    }
    const Point3 p = m.Map(PositionOf(r));
    if (!Holdable(p)) return false;
    ToolpathRecord placed = Placed(r, p);
    const int next = i + 1;
    const bool withCentre = next < static_cast<int>(records.size()) && IsCentreKind(records[next].kind);
    if (IsArcKind(r.kind) && withCentre &&
        m.FateOf(PlaneOfCentreKind(records[next].kind)) == ArcFate::Flip) {
      placed.kind = OtherSense(r.kind);
    }
    out.push_back(placed);
    if (withCentre) out.push_back(Placed(records[next], m.Linear(PositionOf(records[next]))));
    prev = i;
  }
  return true;
}

}  // namespace

std::span<const FieldRange<TransformParams>> TransformRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckTransformParams(const TransformParams& params) {
  return CheckFieldRanges<TransformParams>(params, kRanges);
}

EditOutcome TransformToolpath(ToolpathDatabase& db, const TransformParams& params) {
  if (CheckTransformParams(params)) return EditOutcome::Refused;
  const std::vector<Placement> placements = PlacementsOf(params);
  if (placements.empty() || (!params.copy && placements.front().IsIdentity()) || db.recordCount == 0) {
    return EditOutcome::Unchanged;
  }
  const RecordList records = CompactedRecords(db);
  std::size_t count = params.copy ? records.size() : 0;
  for (const Placement& m : placements) count += PlacedCount(records, m);
  if (count > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return EditOutcome::NoRoom;

  RecordList out;
  out.reserve(count);
  if (params.copy) out.insert(out.end(), records.begin(), records.end());
  for (const Placement& m : placements) {
    if (!AppendPlaced(records, m, out)) return EditOutcome::Refused;
  }
  return CommitRecords(db, out, AfterEdit::Nothing);
}

}  // namespace fendo
