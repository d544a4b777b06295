#include "feed/arc_corner.h"

#include <algorithm>
#include <cmath>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "feed/angles.h"
#include "feed/corner_walks.h"
#include "feed/optimizer_run.h"

namespace fendo {
namespace {

constexpr double kRightAngle = 90;
constexpr double kTangentTolerance = 5;  // degrees: a move this close to the arc's tangent joins it smoothly
constexpr double kZoneReach = 1.2;       // a move ending within this many look-aheads slows as a whole

double Normalized(double degrees) {
  const double d = std::fmod(degrees, 360.0);
  return d < 0 ? d + 360 : d;
}

// The angle between two directions, 0..180.
double Between(double a, double b) {
  const double d = Normalized(a - b);
  return d > 180 ? 360 - d : d;
}

enum class Direction { Forwards, Backwards };

// Spreads `feed` from point `from` along the path over the look-ahead: every move wholly
// within it runs no faster, the move that crosses it slows over the part within (or wholly
// when it ends just beyond). Stops at a rapid move and at an arc.
void SpreadFeed(OptimizerRun& run, int from, Direction direction, int feed, double lookAhead) {
  const Point3 origin = run[from].position();
  const bool forwards = direction == Direction::Forwards;
  // Forwards the move ending at j runs from `near` to j; backwards the move ending at k runs
  // from the point before k (its far end) to k.
  int k = forwards ? run.NextMotion(from) : from;
  int near = from;
  for (int walked = 0; k >= 0 && walked < kMostWalkedPoints; ++walked) {
    const RuleWitness witness(run, k, FeedRule::Arc);
    QelPoint& move = run[k];
    if (IsRapidKind(move.kind) || (IsArcKind(move.kind) && (forwards || k != from))) return;
    const int farEnd = forwards ? k : run.PrevMotion(k);
    if (farEnd < 0) return;
    const double s0 = Length(run[forwards ? near : k].position() - origin);
    const double s1 = Length(run[farEnd].position() - origin);
    if (s1 <= kZoneReach * lookAhead) {
      move.feed = std::min(move.feed, feed);
      if (forwards && feed < move.accelFeed) move.accelPercent = move.accelFeed = 0;
      if (!forwards && feed < move.decelFeed) move.decelPercent = move.decelFeed = 0;
      CollapseZones(run, move, feed);
      if (s1 > lookAhead) return;
    } else {
      // A zone only ever slows a move: a faster feed at its start or end would speed up a move
      // another pass slowed.
      const int percent = static_cast<int>((lookAhead - s0) * 100 / (s1 - s0));
      if (percent >= 1 && feed < move.feed) {
        if (forwards) {
          AddAccelZone(move, percent, feed);
        } else {
          AddDecelZone(move, percent, feed);
        }
        CollapseZones(run, move, feed);
      }
      return;
    }
    near = k;
    k = forwards ? run.NextMotion(k) : farEnd;
  }
}

int ArcCornerFeed(const OptimizerRun& run, double angle) {
  return run.Round(FeedByWeights(run.cornerWeights, std::min(angle, kRightAngle), WeightStep::Exact,
                                 BandEdge::InLowerBand));
}

}  // namespace

void ArcCorner(OptimizerRun& run, int i) {
  const int start = run.PrevMotion(i);
  if (start < 0 || i + 1 >= run.Count() || !IsCentreKind(run[i + 1].kind)) return;
  const RuleWitness witness(run, i, FeedRule::Arc);
  QelPoint& end = run[i];
  const QelPoint& centre = run[i + 1];
  const ArcPlane plane = PlaneOfCentreKind(centre.kind);
  const Arc arc = MeasureArc(run[start].position(), end.position(), centre.position(), end.kind, plane);
  const double safety = run.safetyDistance;

  // The curvature: the angle a chord of one safety distance spans on the arc (on the path of
  // the tool's edge in finishing).
  const double radius = run.finishing ? arc.radius - run.toolRadius : arc.radius;
  const double span = radius <= 0 ? kRightAngle : 2 * RoundedDegrees(std::asin(std::min(1.0, safety / 2 / radius)));
  const double curvature = std::min(Normalized(span), kRightAngle);
  if (curvature > run.cornerMinAngle) end.feed = std::min(end.feed, ArcCornerFeed(run, curvature));

  // The tangents, from the directions of the start and end seen from the centre.
  const double turn = end.kind == MoveKind::ArcCcw ? 90 : -90;
  const double startTangent = Normalized(arc.startAngle + 180 + turn);
  const double endTangent = Normalized(arc.endAngle + 180 + turn);

  if (const int next = run.NextMotion(i); next >= 0) {
    const double off = Between(AngleInPlane(run[next].position() - end.position(), plane), endTangent);
    if (off > kTangentTolerance || end.feed < run.maxFeed) {
      SpreadFeed(run, i, Direction::Forwards, std::min(end.feed, ArcCornerFeed(run, off)), safety);
    }
  }
  if (IsArcKind(run[start].kind)) return;
  if (const int before = run.PrevMotion(start); before >= 0) {
    const double off = Between(AngleInPlane(run[start].position() - run[before].position(), plane), startTangent);
    if (off > kTangentTolerance || end.feed < run.maxFeed) {
      SpreadFeed(run, start, Direction::Backwards, std::min(end.feed, ArcCornerFeed(run, off)), safety);
    }
  }
}

}  // namespace fendo
