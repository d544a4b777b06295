// The radial and spiral patterns over a ring. Both build their records beside the work buffer
// and append them behind its records in one commit, so a pattern that would not fit changes
// nothing; the number of records is known before any is made.
#include "generate/ring_patterns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/angle_units.h"
#include "core/toolpath_database.h"
#include "edit/edit_commit.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

using Range = FieldRange<RingParams>;

constexpr std::array kRingRanges = {
    Range{"stepover", "Stepover", 0.01, 1000, [](const RingParams& p) { return p.stepover; }},
    Range{"outerDiameter", "외 경", 0, 10000, [](const RingParams& p) { return p.outerDiameter; }},
    Range{"innerDiameter", "내 경", 0, 10000, [](const RingParams& p) { return p.innerDiameter; }},
};

// mm: a spiral whose inner radius is no larger starts at the centre and spirals out from it.
constexpr double kSmallestInnerRadius = 0.1;
constexpr double kFullTurn = 360;  // degrees

// The ring in the generators' terms.
struct Ring {
  double cx, cy;      // mm, the centre
  double z;           // mm, the cutting height
  double step;        // mm, the stepover
  double outer;       // mm, Ro
  double inner;       // mm, Ri

  explicit Ring(const RingParams& p)
      : cx(p.centreX), cy(p.centreY), z(p.cuttingZ), step(p.stepover), outer(p.outerDiameter / 2),
        inner(p.innerDiameter / 2) {}

  bool HasWidth() const { return outer > inner; }
  // Whether every point of the pattern, up to safeZ, lies within the coordinates a record holds
  // (a value that is not a number does not).
  bool Fits(double safeZ) const {
    const double limit = ToolpathDatabase::kCoordinateLimit;
    return std::abs(cx) + outer <= limit && std::abs(cy) + outer <= limit && std::abs(z) <= limit &&
           std::abs(safeZ) <= limit;
  }
};

// A point of the XY plane, mm.
struct PlanePoint {
  double x, y;
};

// The point at `radius` and `degrees` (counter-clockwise from +X) around the ring's centre.
PlanePoint OnCircle(const Ring& ring, double radius, double degrees) {
  const double a = degrees * kRadiansPerDegree;
  return {ring.cx + radius * std::cos(a), ring.cy + radius * std::sin(a)};
}

// Appends the records of a pattern, each with the work feed.
class PatternPen {
 public:
  PatternPen(RecordList& records, int feed) : records_(records), feed_(feed) {}

  void Add(MoveKind kind, PlanePoint p, double z) {
    records_.push_back({static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(z), feed_, 0, kind});
    last_ = p;
  }
  // Where the last record lies in XY: the retract goes up from there.
  PlanePoint Last() const { return last_; }

 private:
  RecordList& records_;
  int feed_;
  PlanePoint last_{};
};

// Checks, refuses a ring without width and, when the records fit, appends what `draw` makes
// (as many records as `count` says) behind the work buffer's records.
template <typename Count, typename Draw>
EditOutcome AppendPattern(ToolpathDatabase& db, const RingParams& params, Count count, Draw draw) {
  if (CheckRingParams(params)) return EditOutcome::Refused;
  const Ring ring(params);
  if (!ring.HasWidth()) return EditOutcome::Unchanged;
  if (!ring.Fits(db.safeZ)) return EditOutcome::Refused;
  const std::int64_t added = count(ring);
  if (db.recordCount + added > ToolpathDatabase::kMaxRecords) return EditOutcome::NoRoom;
  RecordList records = CopyRecords(db);
  records.reserve(records.size() + static_cast<std::size_t>(added));
  PatternPen pen(records, db.workFeed);
  draw(ring, pen);
  return CommitRecords(db, records, AfterEdit::Nothing);
}

// "방사선": the number of spokes e, a real number (2π computed with the single-precision
// degree factor), and the spokes i = 0, 1, … while i < e.
double SpokeShare(const Ring& ring) { return kRadiansPerDegree * kFullTurn * ring.outer / ring.step; }
std::int64_t SpokeCount(const Ring& ring) { return static_cast<std::int64_t>(std::ceil(SpokeShare(ring))); }

// Records of a radial pattern: the rapid move above the centre, four per spoke.
std::int64_t RadialRecords(const Ring& ring) { return 1 + 4 * SpokeCount(ring); }

void DrawRadial(const Ring& ring, PatternPen& pen, double safeZ) {
  const double angleStep = kFullTurn / SpokeShare(ring);  // degrees
  pen.Add(MoveKind::RapidStart, {ring.cx, ring.cy}, safeZ);
  const std::int64_t spokes = SpokeCount(ring);
  for (std::int64_t i = 0; i < spokes; ++i) {
    const double a = static_cast<double>(i) * angleStep;
    const PlanePoint outer = OnCircle(ring, ring.outer, a);
    const PlanePoint inner = OnCircle(ring, ring.inner, a);
    pen.Add(MoveKind::Rapid, outer, safeZ);
    pen.Add(MoveKind::FeedStart, outer, ring.z);
    pen.Add(MoveKind::Feed, inner, ring.z);
    pen.Add(MoveKind::RapidStart, inner, safeZ);
  }
}

// "나선형": the angular step at radius r (degrees) whose chord strays `chord` from the circle.
// Below half the chord tolerance no step keeps that close; half a turn is taken.
double AngularStep(double r, double chord) {
  return std::acos(std::clamp((r - chord) / r, -1.0, 1.0)) * kDegreesPerRadian;
}
// The points of one turn at that step: k = 0, 1, … while k · step ≤ 360.
std::int64_t PointsOnTurn(double step) { return static_cast<std::int64_t>(std::floor(kFullTurn / step)) + 1; }

// The turns of the spiral: the ring's width in as few equal radial steps as keep each within
// the stepover.
struct SpiralTurns {
  std::int64_t count = 0;
  double width = 0;  // mm, w: how far one turn moves out
  double start = 0;  // mm, the radius the first turn starts from

  explicit SpiralTurns(const Ring& ring) {
    const double span = ring.outer - ring.inner;
    count = static_cast<std::int64_t>(span / ring.step);
    width = ring.step;
    if (span != static_cast<double>(count) * ring.step) {
      ++count;
      width = span / static_cast<double>(count);
    }
    start = ring.inner > kSmallestInnerRadius ? ring.inner : kSmallestInnerRadius;
  }
  double RadiusOfTurn(std::int64_t j) const { return static_cast<double>(j) * width + start; }
};

// Records of a spiral: the rapid move above the centre, the entry (a rapid move and a plunge
// onto the inner circle and that circle, or one plunge at the centre), the turns, the outer
// circle and the retract.
std::int64_t SpiralRecords(const Ring& ring, double chord) {
  const SpiralTurns turns(ring);
  std::int64_t count = 1 + (ring.inner > kSmallestInnerRadius ? 1 + PointsOnTurn(AngularStep(ring.inner, chord)) : 1);
  for (std::int64_t j = 0; j < turns.count; ++j) count += PointsOnTurn(AngularStep(turns.RadiusOfTurn(j), chord));
  return count + PointsOnTurn(AngularStep(ring.outer, chord)) + 1;
}

// One whole circle at `radius`, at the angular step of that radius, from +X on.
void DrawCircle(const Ring& ring, PatternPen& pen, double radius, double chord, MoveKind first) {
  const double step = AngularStep(radius, chord);
  const std::int64_t points = PointsOnTurn(step);
  for (std::int64_t k = 0; k < points; ++k) {
    pen.Add(k == 0 ? first : MoveKind::Feed, OnCircle(ring, radius, static_cast<double>(k) * step), ring.z);
  }
}

void DrawSpiral(const Ring& ring, PatternPen& pen, double safeZ, double chord) {
  const PlanePoint centre{ring.cx, ring.cy};
  pen.Add(MoveKind::RapidStart, centre, safeZ);
  if (ring.inner > kSmallestInnerRadius) {
    pen.Add(MoveKind::Rapid, OnCircle(ring, ring.inner, 0), safeZ);
    DrawCircle(ring, pen, ring.inner, chord, MoveKind::FeedStart);
  } else {
    pen.Add(MoveKind::FeedStart, centre, ring.z);
  }
  const SpiralTurns turns(ring);
  for (std::int64_t j = 0; j < turns.count; ++j) {
    double r = turns.RadiusOfTurn(j);
    const double step = AngularStep(r, chord);
    const double growth = turns.width / (kFullTurn / step);  // mm a point
    const std::int64_t points = PointsOnTurn(step);
    for (std::int64_t k = 0; k < points; ++k) {
      r += growth;
      pen.Add(MoveKind::Feed, OnCircle(ring, r, static_cast<double>(k) * step), ring.z);
    }
  }
  DrawCircle(ring, pen, ring.outer, chord, MoveKind::Feed);
  pen.Add(MoveKind::RapidStart, pen.Last(), safeZ);
}

}  // namespace

std::span<const FieldRange<RingParams>> RingRanges() { return kRingRanges; }

std::optional<OptionOutOfRange> CheckRingParams(const RingParams& params) {
  return CheckFieldRanges<RingParams>(params, kRingRanges);
}

EditOutcome GenerateRadial(ToolpathDatabase& db, const RingParams& params) {
  const double safeZ = db.safeZ;
  return AppendPattern(db, params, &RadialRecords,
                       [safeZ](const Ring& ring, PatternPen& pen) { DrawRadial(ring, pen, safeZ); });
}

EditOutcome GenerateSpiral(ToolpathDatabase& db, const RingParams& params) {
  const double safeZ = db.safeZ;
  const double chord = db.chordTolerance;
  return AppendPattern(
      db, params, [chord](const Ring& ring) { return SpiralRecords(ring, chord); },
      [safeZ, chord](const Ring& ring, PatternPen& pen) { DrawSpiral(ring, pen, safeZ, chord); });
}

}  // namespace fendo
