#pragma once

#include <array>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

class ToolpathDatabase;

// An arc as every part of the program measures it: drawing, picking, lengths, interpolation
// and output all take their angles from here, so that they agree on every arc.
struct Arc {
  Point3 start;              // mm, the previous motion point
  Point3 end;                // mm
  Point3 centre;             // mm; its coordinate normal to the plane is the start's
  MoveKind kind = MoveKind::ArcCcw;
  ArcPlane plane = ArcPlane::XY;
  double radius = 0;         // mm, from the centre to the end, in the plane
  double startAngle = 0;     // degrees, of the vector from the start to the centre
  double endAngle = 0;       // degrees, of the vector from the end to the centre
  double sweep = 0;          // degrees, ≥ 0, in the arc's direction
  double length = 0;         // mm, along the arc (a helix counts its rise)
};

// Measures the arc from `start` to `end` whose centre lies at start + centreOffset (the
// offset's component normal to the plane is ignored). Kinds other than ArcCw turn
// counter-clockwise. Start and end at the same angle make a full circle unless they lie apart
// in the plane; such an arc is measured by its chord.
Arc MeasureArc(Point3 start, Point3 end, Point3 centreOffset, MoveKind kind, ArcPlane plane);

// The arc whose end record is i: its start is the motion record before it, its centre offset
// and plane come from the record after it.
Arc ArcGeometry(ToolpathDatabase& db, int i);

// The eight corners of the box around the arc's whole circle, from the start's to the end's
// height along the plane's normal: a box the arc cannot leave, for a quick test before an
// exact one.
std::array<Point3, 8> CircleBoxCorners(const Arc& arc);

// How many equal chords keep the arc within `tolerance` (mm) of itself: 1 for an arc too small
// to cut (radius below 0.01 mm), at most 100,000.
int ChordCount(const Arc& arc, double tolerance);

// The point of the arc at `fraction` of its sweep: 0 (or less) is the start, 1 (or more) the
// end. The coordinate normal to the plane moves evenly from the start's to the end's, so a
// helix stays a helix.
Point3 ArcPointAt(const Arc& arc, double fraction);

// Point i of the arc cut into n equal chords: 0 is the start, n the end.
Point3 ArcChordPoint(const Arc& arc, int i, int n);

}  // namespace fendo
