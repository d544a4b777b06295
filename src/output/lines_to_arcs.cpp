// Turning runs of straight moves into arcs (the "Arc Convert" command's "G01 -> G02, G03").
//
// CAM systems write curves as many short straight moves; a machine cuts an arc more smoothly
// and from far fewer blocks. One pass over the work buffer handles one plane (XY, ZX or YZ,
// with the normal axis Z, Y or X). From each linear feed point (or arc end) p, it takes the
// planar run: p and the linear feed points after it that stay within the tolerance t of p
// along the normal. An arc needs at least four points. The arc grows from p one point at a
// time, each end refitted (FitArc) with the last centre as the hint, as long as the fit holds,
// turns the same way and covers at most maxPoints moves. The longest fit is written when
//   - it covers at least three moves and its radius lies strictly between the given radii;
//   - its length is within a factor of two of the moves' length (a fit that goes the wrong
//     way round fails this sanity check);
//   - its points follow it in order from its start to its end (a circle can pass near a
//     point that the arc, sweeping only part of the circle, leaves behind).
// A fit that fails is left unwritten and the walk goes on with the next point. A written arc
// takes the place of the move after p: that record becomes the arc end (at the run's last
// point, in the plane of p, keeping its feed), the next one the centre record, and the rest
// of the moves it replaces are deleted; the walk goes on after the arc. Lengths in mm, angles
// in degrees.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "output/arc_conversion.h"
#include "output/conversion_progress.h"

namespace fendo {
namespace {

constexpr int kFewestRunPoints = 4;       // a run of fewer points is left as it is
constexpr int kFewestArcMoves = 3;        // a fit of fewer moves is not worth an arc
constexpr double kRadiusMismatch = 0.01;  // mm; a fit whose start lies further off its circle is refused
constexpr double kLengthFactor = 2;       // an arc this much longer or shorter than its moves is wrong
constexpr double kFullTurn = 360;         // degrees

std::string_view ProgressWords(ArcPlane plane) {
  switch (plane) {
    case ArcPlane::ZX: return " ZX Plane processing (";
    case ArcPlane::YZ: return " YZ Plane processing (";
    case ArcPlane::XY: break;
  }
  return " XY Plane processing (";
}

// 2b. The planar run from record p into `run`. The walk never needs more than maxPoints + 1
// points: no arc ends further than maxPoints moves after p, and a run cut there is still long
// enough when it would have been (maxPoints below three accepts no arc at all).
void TakePlanarRun(ToolpathDatabase& db, int p, double t, double Point3::*normal, int maxPoints,
                   std::vector<Point3>& run) {
  run.clear();
  const Point3 s = PositionOf(*db.RecordAt(p));
  run.push_back(s);
  const int last = p + std::min(std::max(maxPoints, 0), db.recordCount - 1 - p);
  for (int e = p + 1; e <= last; ++e) {
    const ToolpathRecord& r = *db.RecordAt(e);
    const Point3 point = PositionOf(r);
    if (!IsLinearFeedKind(r.kind) || std::fabs(point.*normal - s.*normal) > t) break;
    run.push_back(point);
  }
}

struct Candidate {
  int moves = 0;  // h − p: the run's points 0 … moves lie on the arc
  ArcFit fit;
};

// 2c. The longest arc from the run's first point: each candidate end refitted with the last
// centre as the hint, until a fit fails or turns the other way, or maxPoints moves are covered.
Candidate LongestFit(const std::vector<Point3>& run, double t, ArcPlane plane, int maxPoints) {
  Candidate best;
  std::optional<Point3> hint;
  for (int u = 2; u < static_cast<int>(run.size()); ++u) {
    const std::optional<ArcFit> fit = FitArc(std::span(run).first(u + 1), t, plane, hint);
    if (!fit || (best.moves > 0 && fit->direction != best.fit.direction)) break;
    best = {u, *fit};
    hint = fit->centre;
    if (best.moves >= maxPoints) break;
  }
  return best;
}

double PolylineLength(std::span<const Point3> points) {
  double length = 0;
  for (std::size_t i = 1; i < points.size(); ++i) length += Length(points[i] - points[i - 1]);
  return length;
}

// Whether the fit is worth an arc and is the arc its moves make.
bool Acceptable(const Candidate& c, const std::vector<Point3>& run, double minRadius, double maxRadius,
                ArcPlane plane) {
  const Point3 s = run.front();
  if (c.moves < kFewestArcMoves || std::fabs(c.fit.radius - Length(s - c.fit.centre)) >= kRadiusMismatch ||
      !(c.fit.radius > minRadius && c.fit.radius < maxRadius)) {
    return false;
  }
  // Sanity check: the arc from S to the end around the centre, the way it turns, must be about
  // as long as the moves it replaces.
  const double moves = PolylineLength(std::span(run).first(c.moves + 1));
  const double arc = MeasureArc(s, run[c.moves], c.fit.centre - s, c.fit.direction, plane).length;
  return arc <= kLengthFactor * moves && arc >= moves / kLengthFactor;
}

// Order check: the points follow the arc, each turned at least as far from S, the way the
// arc turns, as the one before it. The fit only asks that every point lie near the circle,
// and the arc sweeps part of the circle: a point near the part it does not sweep, or a run
// that doubles back, would be left further than the tolerance from the arc.
bool FollowsTheArc(const Candidate& c, const std::vector<Point3>& run, ArcPlane plane) {
  // The arc rule's angles are those of the vector from a point to the centre.
  const double startAngle = AngleInPlane(c.fit.centre - run.front(), plane);
  double turnedBefore = 0;
  for (int i = 1; i <= c.moves; ++i) {
    const double angle = AngleInPlane(c.fit.centre - run[i], plane);
    double turned = c.fit.direction == MoveKind::ArcCw ? startAngle - angle : angle - startAngle;
    if (turned < 0) turned += kFullTurn;
    if (turned < turnedBefore) return false;
    turnedBefore = turned;
  }
  return true;
}

// The record after p becomes the arc end, the one after it the centre record, and the rest of
// the moves up to the arc's end are deleted. The run's records follow p without a gap, so the
// record after p is its next motion record. The arc ends at the run's last point seen along
// the normal from S's plane: the fit measured the run from an arc in that plane, and a helix
// to a last point that lies a little above or below it could pass further from the others.
void WriteArc(ToolpathDatabase& db, int p, const Candidate& c, const std::vector<Point3>& run, ArcPlane plane) {
  double Point3::*const normal = AxesOf(plane).normal;
  Point3 end = run[c.moves];
  end.*normal = run.front().*normal;
  const int arcEnd = p + 1;
  db.ReadRecord(arcEnd);
  db.cursor.kind = c.fit.direction;
  db.cursor.SetPosition(end);
  db.WriteRecord(arcEnd);
  db.ReadRecord(arcEnd + 1);
  db.cursor.kind = CentreKindOf(plane);
  db.cursor.SetPosition(c.fit.centre - run.front());
  db.WriteRecord(arcEnd + 1);
  for (int j = arcEnd + 2; j <= p + c.moves; ++j) db.SetKind(j, MoveKind::None);
}

}  // namespace

int LinesToArcs(ToolpathDatabase& db, double minRadius, double maxRadius, double tolerance, ArcPlane plane,
                int maxPoints, Progress* progress) {
  double Point3::*const normal = AxesOf(plane).normal;
  int written = 0;
  std::vector<Point3> run;
  {
    ConversionProgress shown(progress, ProgressWords(plane));
    // 1.
    CompactRecords(db);
    // 2.
    for (int p = 1; p < db.recordCount; ++p) {
      // a.
      shown.At(p, db.recordCount);
      // b.
      const MoveKind kind = db.RecordAt(p)->kind;
      if (!IsLinearFeedKind(kind) && !IsArcKind(kind)) continue;
      TakePlanarRun(db, p, tolerance, normal, maxPoints, run);
      // c.
      if (static_cast<int>(run.size()) < kFewestRunPoints) continue;
      const Candidate candidate = LongestFit(run, tolerance, plane, maxPoints);
      if (!Acceptable(candidate, run, minRadius, maxRadius, plane) || !FollowsTheArc(candidate, run, plane)) continue;
      WriteArc(db, p, candidate, run, plane);
      ++written;
      p += candidate.moves;
    }
  }
  // 3.
  CompactRecords(db);
  NormalizeKinds(db);
  return written;
}

}  // namespace fendo
