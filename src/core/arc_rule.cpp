#include "core/arc_rule.h"

#include <cmath>

#include "core/angle_units.h"
#include "core/geometry.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kFullCircle = 360;
// mm; start and end closer than this in the plane make a full circle, not a chord.
constexpr double kClosedChord = 0.001;

double InPlaneDistance(Point3 a, Point3 b, const PlaneAxes& axes) {
  return std::hypot(a.*axes.first - b.*axes.first, a.*axes.second - b.*axes.second);
}

}  // namespace

// The arc rule. Angles are those of the vectors from the start and from the end to the
// centre. Counter-clockwise, the start angle is lowered by a turn when it lies above the end
// angle; clockwise, the end angle is lowered when it lies above the start angle; equal angles
// make a full turn. Radius, chord and sweep are measured in the arc's plane; the rise normal to
// it (a helix) is added to the length.
Arc MeasureArc(Point3 start, Point3 end, Point3 centreOffset, MoveKind kind, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  centreOffset.*axes.normal = 0;
  Arc arc{.start = start, .end = end, .centre = start + centreOffset, .kind = kind, .plane = plane};
  arc.radius = InPlaneDistance(arc.end, arc.centre, axes);
  double a0 = AngleInPlane(arc.centre - start, plane);
  double a1 = AngleInPlane(arc.centre - end, plane);
  if (kind == MoveKind::ArcCw) {
    if (a0 < a1) {
      a1 -= kFullCircle;
    } else if (a0 == a1) {
      a0 = a1 + kFullCircle;
    }
    arc.sweep = a0 - a1;
  } else {
    if (a0 > a1) {
      a0 -= kFullCircle;
    } else if (a0 == a1) {
      a1 = a0 + kFullCircle;
    }
    arc.sweep = a1 - a0;
  }
  arc.startAngle = a0;
  arc.endAngle = a1;

  // A turn whose ends lie apart in the plane (both on one ray from the centre) is no arc at all:
  // it is measured by its chord.
  const double chord = InPlaneDistance(end, start, axes);
  double planar = arc.sweep * 2 * kArcLengthPi * arc.radius / kFullCircle;
  if ((arc.sweep == 0 || arc.sweep == kFullCircle) && chord > kClosedChord) {
    planar = chord;
    arc.sweep = arc.radius > 0 ? chord * 180 / (kArcLengthPi * arc.radius) : 0;
  }
  const double rise = end.*axes.normal - start.*axes.normal;
  arc.length = rise == 0 ? planar : std::hypot(planar, rise);
  return arc;
}

Arc ArcGeometry(ToolpathDatabase& db, int i) {
  db.PrevMotion(i);
  const Point3 start = db.cursor.position();
  db.ReadRecord(i);
  const Point3 end = db.cursor.position();
  const MoveKind kind = db.cursor.kind;
  const ToolpathRecord* centre = db.RecordAt(i + 1);
  const Point3 offset = centre ? PositionOf(*centre) : Point3{};
  const ArcPlane plane = centre ? PlaneOfCentreKind(centre->kind) : ArcPlane::XY;
  return MeasureArc(start, end, offset, kind, plane);
}

Point3 ArcPointAt(const Arc& arc, double fraction) {
  if (fraction <= 0) return arc.start;
  if (fraction >= 1) return arc.end;
  const double turn = arc.kind == MoveKind::ArcCw ? -arc.sweep : arc.sweep;
  Point3 p = PointOnArc(arc.centre, arc.radius, arc.startAngle + turn * fraction, arc.plane);
  const PlaneAxes axes = AxesOf(arc.plane);
  p.*axes.normal = arc.start.*axes.normal + (arc.end.*axes.normal - arc.start.*axes.normal) * fraction;
  return p;
}

Point3 ArcChordPoint(const Arc& arc, int i, int n) {
  if (i <= 0) return arc.start;
  if (i >= n) return arc.end;
  return ArcPointAt(arc, static_cast<double>(i) / n);
}

std::array<Point3, 8> CircleBoxCorners(const Arc& arc) {
  const PlaneAxes axes = AxesOf(arc.plane);
  std::array<Point3, 8> corners;
  std::size_t k = 0;
  for (double u : {-arc.radius, arc.radius}) {
    for (double v : {-arc.radius, arc.radius}) {
      for (double n : {arc.start.*axes.normal, arc.end.*axes.normal}) {
        Point3& corner = corners[k++];
        corner = arc.centre;
        corner.*axes.first += u;
        corner.*axes.second += v;
        corner.*axes.normal = n;
      }
    }
  }
  return corners;
}

}  // namespace fendo
