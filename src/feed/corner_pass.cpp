#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/geometry.h"
#include "feed/angles.h"
#include "feed/arc_corner.h"
#include "feed/corner_walks.h"
#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"

namespace fendo {
namespace {

constexpr double kCuspHeight = 0.2;             // mm: short moves are those within a 0.2 cusp's width
constexpr double kShortestDirectedMove = 0.01;  // mm: a shorter move keeps the direction before it
constexpr double kSteepRatio = 0.1;             // horizontal² / vertical² at most this: steeper than ~72°
constexpr double kLevelRise = 0.0001;           // a unit rise below this is level
constexpr double kNoCircle = 10000;             // mm: the radius when no circle passes the points
constexpr double kCurveRadiusMargin = 2;        // mm: a curve tighter than tool radius + this is a corner
constexpr double kRightAngle = 90;

// Corners are measured in XY (a change of heading) or in the vertical (a change of slope).
enum class Measure { XyHeading, Slope };

// The direction a move takes in the measure, as a vector in a plane: its XY part, or its
// horizontal length against its rise (a nearly level move counting as level).
struct PlaneVector {
  double a = 0;
  double b = 0;
};

PlaneVector DirectionOf(Point3 v, Measure measure) {
  const double horizontal2 = v.x * v.x + v.y * v.y;
  if (measure == Measure::XyHeading) return {v.x, v.y};
  const bool level = v.z * v.z < kLevelRise * kLevelRise * (horizontal2 + v.z * v.z);
  return {std::sqrt(horizontal2), level ? 0 : v.z};
}

bool HasHorizontal(Point3 v) { return v.x != 0 || v.y != 0; }

// A move steeper than about 72° has no heading worth a corner.
bool IsSteep(Point3 v) { return v.z != 0 && v.x * v.x + v.y * v.y <= kSteepRatio * v.z * v.z; }

// The largest turn from a set of incoming directions to one outgoing direction: the angle
// between the directions, capped at 90°. A corner is measured against every point behind it
// within the look-ahead, so the angles are compared by their cosines, and those without their
// square roots (cos × |cos| × |out|², which orders them alike); one arc cosine gives the turn,
// and none is taken for a turn at or below the floor (given by its cosine), where nothing
// happens anyway.
class LargestTurn {
 public:
  LargestTurn(Point3 out, Measure measure, double floorCosine)
      : measure_(measure),
        out_(DirectionOf(out, measure)),
        out2_(out_.a * out_.a + out_.b * out_.b),
        floorKey_(floorCosine * std::fabs(floorCosine) * out2_) {}

  void Add(Point3 in) {
    if (IsSteep(in)) return;
    const PlaneVector p = DirectionOf(in, measure_);
    const double length2 = p.a * p.a + p.b * p.b;
    if (length2 == 0) return;
    const double dot = p.a * out_.a + p.b * out_.b;
    smallest_ = std::min(smallest_, dot * std::fabs(dot) / length2);
  }

  double Angle() const {
    if (out2_ == 0 || smallest_ >= floorKey_) return 0;
    const double cosine = std::copysign(std::sqrt(std::fabs(smallest_) / out2_), smallest_);
    return std::min(kRightAngle, RoundedDegrees(std::acos(std::clamp(cosine, -1.0, 1.0))));
  }

 private:
  Measure measure_;
  PlaneVector out_;
  double out2_;
  double floorKey_;
  double smallest_ = std::numeric_limits<double>::infinity();
};

// The radius of the circle through three points; kNoCircle when they lie on a line.
double CircleRadius(Point3 a, Point3 b, Point3 c) {
  const Point3 ab = b - a;
  const Point3 ac = c - a;
  const Point3 cross = {ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
  const double twiceArea = Length(cross);
  if (twiceArea < 1e-12) return kNoCircle;
  return Length(ab) * Length(ac) * Length(c - b) / (2 * twiceArea);
}

// The corner passes at the linear feed points: the heading and slope look-aheads, and the
// directions of the last moves long enough to have one.
class CornerMeasurer {
 public:
  explicit CornerMeasurer(OptimizerRun& run)
      : run_(run),
        xyLookAhead_(run.xyLookAhead),
        slopeLookAhead_(run.safetyDistance),
        xyFloor_(FloorCosine(run, xyLookAhead_)),
        slopeFloor_(FloorCosine(run, slopeLookAhead_)),
        chordWidth_(2 * SafeSqrt(2 * run.toolRadius * kCuspHeight - kCuspHeight * kCuspHeight)) {}

  // The corners at feed point i: a change of heading in XY, then a change of slope.
  void At(int i) {
    const int p = run_.PrevMotion(i);
    const int n = run_.NextMotion(i);
    if (p < 0 || n < 0) return;
    const Point3 here = run_[i].position();
    const Point3 in = here - run_[p].position();
    const Point3 out = run_[n].position() - here;
    if (Length(in) >= kShortestDirectedMove) lastIn_ = in;
    if (Length(out) >= kShortestDirectedMove) lastOut_ = out;
    const Chords xyChords = MeasureChords(i, xyLookAhead_);
    Corner(i, p, n, Measure::XyHeading, xyLookAhead_, xyChords);
    const Chords slopeChords = slopeLookAhead_ == xyLookAhead_ ? xyChords : MeasureChords(i, slopeLookAhead_);
    Corner(i, p, n, Measure::Slope, slopeLookAhead_, slopeChords);
  }

 private:
  // The chords over the look-ahead around a point: the outgoing one to where the path leaves
  // the look-ahead, the incoming ones from every point behind within it, and the largest turn
  // between them in either measure.
  struct Chords {
    int aheadLast = -1;  // the last points the walks reached
    int behindLast = -1;
    Point3 out;
    Point3 lastIn;       // from the farthest point behind
    double xyTurn = 0;
    double slopeTurn = 0;
  };

  Chords MeasureChords(int i, double lookAhead) const {
    const Point3 here = run_[i].position();
    const ForwardWalk ahead = WalkForward(run_, i, lookAhead);
    Chords chords;
    chords.aheadLast = ahead.last;
    chords.out = ahead.reach - here;
    LargestTurn xy(chords.out, Measure::XyHeading, xyFloor_);
    LargestTurn slope(chords.out, Measure::Slope, slopeFloor_);
    chords.behindLast = WalkBackward(run_, i, lookAhead, [&](int j) {
      const Point3 chord = here - run_[j].position();
      if (chord == Point3{}) return;
      xy.Add(chord);
      slope.Add(chord);
      chords.lastIn = chord;
    });
    chords.xyTurn = xy.Angle();
    chords.slopeTurn = slope.Angle();
    return chords;
  }

  // The turn above which a corner is looked at closer (as a curve) or slows the cutter.
  static double CurveThreshold(const OptimizerRun& run, double lookAhead) {
    return std::max(run.cornerMinAngle * lookAhead / run.toolRadius, run.cornerMinAngle / 3);
  }
  static double FloorCosine(const OptimizerRun& run, double lookAhead) {
    const double floor = std::min(CurveThreshold(run, lookAhead), run.cornerMinAngle);
    return std::cos(floor * std::numbers::pi / 180);
  }

  void Corner(int i, int p, int n, Measure measure, double lookAhead, const Chords& chords) {
    if (!HasHorizontal(chords.out) || !HasHorizontal(chords.lastIn)) return;
    const double chordTurn = measure == Measure::XyHeading ? chords.xyTurn : chords.slopeTurn;
    LargestTurn moveTurn(lastOut_, measure, measure == Measure::XyHeading ? xyFloor_ : slopeFloor_);
    moveTurn.Add(lastIn_);
    double angle = std::max(moveTurn.Angle(), chordTurn);

    const double curveThreshold = CurveThreshold(run_, lookAhead);
    if (run_.finishing && angle > curveThreshold) angle = std::max(angle, CurveAngle(i, p, n, lookAhead, measure));
    angle = std::min(angle, kRightAngle);
    if (angle <= run_.cornerMinAngle) return;
    if (measure == Measure::Slope) {
      // A change of slope slows the cutter where the path climbs more steeply; in finishing
      // also where it turns down.
      const Point3 here = run_[i].position();
      const double rise = UnitRise(run_[n].position() - here) - UnitRise(here - run_[p].position());
      if (!(rise > 0 || (run_.finishing && rise < 0))) return;
    }
    const int feed = run_.Round(FeedByWeights(run_.cornerWeights, angle, WeightStep::WholeFeedPerDegree,
                                              BandEdge::InLowerBand));
    const FeedRule rule = measure == Measure::XyHeading ? FeedRule::XyCorner : FeedRule::SlopeChange;
    const RuleWitness atCorner(run_, i, rule);
    const RuleWitness after(run_, n, rule);
    ApplyNear(i, p, n, feed, lookAhead, chords.behindLast, chords.aheadLast);
  }

  static double UnitRise(Point3 v) {
    const double length = Length(v);
    return length > 0 ? v.z / length : 0;
  }

  // The corner measured as a curve over the short moves around i: the circle through the
  // farthest points reached over short moves within the look-ahead on either side (the
  // neighbour where there is no short move) gives one angle, the angle between the two legs
  // another. XY corners are measured in XY, slope changes in space. 0 without short moves.
  double CurveAngle(int i, int p, int n, double lookAhead, Measure measure) const {
    const Point3 here = run_[i].position();
    int back = i;
    for (int j = p, walked = 0; j >= 0 && walked < kMostWalkedPoints; j = run_.PrevMotion(j), ++walked) {
      const Point3 q = run_[j].position();
      if (Length(run_[back].position() - q) >= chordWidth_ || Length(here - q) > lookAhead) break;
      back = j;
      if (IsRapidKind(run_[j].kind)) break;
    }
    int ahead = i;
    for (int j = n, walked = 0; j >= 0 && !IsRapidKind(run_[j].kind) && walked < kMostWalkedPoints;
         j = run_.NextMotion(j), ++walked) {
      const Point3 q = run_[j].position();
      if (Length(q - run_[ahead].position()) >= chordWidth_ || Length(q - here) > lookAhead) break;
      ahead = j;
    }
    if (back == i && ahead == i) return 0;
    if (back == i) back = p;
    if (ahead == i) {
      if (IsRapidKind(run_[n].kind)) return 0;
      ahead = n;
    }
    const auto projected = [measure](Point3 v) { return measure == Measure::XyHeading ? Point3{v.x, v.y, 0} : v; };
    const Point3 a = projected(run_[back].position());
    const Point3 b = projected(here);
    const Point3 c = projected(run_[ahead].position());

    double angle = 0;
    const double radius = CircleRadius(a, b, c);
    if (radius < run_.toolRadius + kCurveRadiusMargin) {
      angle = std::min(kRightAngle, kRightAngle * std::sqrt(run_.toolRadius / radius));
    }
    const Point3 legIn = a - b;
    const Point3 legOut = c - b;
    if (Length(legIn) > 0 && Length(legOut) > 0) {
      const double dot = legIn.x * legOut.x + legIn.y * legOut.y + legIn.z * legOut.z;
      const double between = RoundedDegrees(std::acos(std::clamp(dot / (Length(legIn) * Length(legOut)), -1.0, 1.0)));
      angle = std::max(angle, 2 * (180 - between));
    }
    return angle;
  }

  // The corner feed at point i with its neighbours p and n: where the move into i is longer
  // than the look-ahead, the slowing is a zone at its end; else i's whole move slows. Likewise
  // the move out of i: a zone at its start, or the whole move when it is a short feed move.
  void ApplyNear(int i, int p, int n, int feed, double lookAhead, int behindLast, int aheadLast) {
    QelPoint& corner = run_[i];
    const double lengthIn = Length(run_.MoveInto(i));
    if (behindLast == p && lengthIn > lookAhead) {
      if (feed < corner.feed) AddDecelZone(corner, ZonePercent(lookAhead, lengthIn), feed);
    } else {
      LowerCruiseFeed(corner, feed);
    }
    QelPoint& next = run_[n];
    const double lengthOut = Length(next.position() - corner.position());
    if (aheadLast == n && lengthOut > lookAhead) {
      if (feed < next.feed) AddAccelZone(next, ZonePercent(lookAhead, lengthOut), feed);
    } else if (next.kind == MoveKind::Feed) {
      LowerCruiseFeed(next, feed);
    }
    CollapseZones(run_, corner, feed);
    CollapseZones(run_, next, feed);
  }

  static int ZonePercent(double zoneLength, double moveLength) {
    return std::max(1, static_cast<int>(zoneLength * 100 / moveLength));
  }

  OptimizerRun& run_;
  double xyLookAhead_;
  double slopeLookAhead_;
  double xyFloor_;     // the cosines of the turns at or below which nothing changes
  double slopeFloor_;
  double chordWidth_;
  Point3 lastIn_{1, 0, 0};
  Point3 lastOut_{1, 0, 0};
};

}  // namespace

void CornerPass(OptimizerRun& run) {
  CornerMeasurer corners(run);
  for (int i = 0; i < run.Count(); ++i) {
    run.ReportProgress("Feed Optimizer: corners", i);
    const MoveKind kind = run[i].kind;
    if (IsLinearFeedKind(kind)) {
      corners.At(i);
    } else if (IsArcKind(kind)) {
      ArcCorner(run, i);
    }
  }
}

}  // namespace fendo
