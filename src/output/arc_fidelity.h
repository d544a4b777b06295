#pragma once

#include "core/arc_rule.h"
#include "core/point3.h"

namespace fendo {

// How far an arc as written lies from the arc as held. An R word names the arc only through its
// ends: the reader puts the centre on the chord's normal, h = sqrt(R² − c²/4) from
// the chord, and near half a turn h changes fast with R. The R the writer rounds (and raises, so
// that no control sees it shorter than half the chord) then moves the centre, and the arc with
// it, far more than the rounding itself.

// The largest distance (mm) between the points of `held` and of the arc the reader makes of an
// R word `radius` (signed, as written) from `start` to `end` (as the reader reads them): the arc
// re-centred as the reader centres it and stored as the reader stores it, compared point for
// point at equal fractions of the two sweeps.
double RadiusArcDeviation(const Arc& held, Point3 start, Point3 end, double radius);

// The same for centre offsets `offset` (as written) from `start` to `end`: the rounded ends can
// lie at different distances from the rounded centre, and the reader then draws the arc at the
// end's radius from the start's angle.
double OffsetArcDeviation(const Arc& held, Point3 start, Point3 end, Point3 offset);

// The centre in the arc's plane nearest the held one at equal distance from `start` and `end`
// (the ends as written): about it the written ends lie on one circle, as the held ends do on
// theirs. Its normal coordinate is the start's.
Point3 CentreBetweenEnds(const Arc& held, Point3 start, Point3 end);

// The largest distance (mm) between points at equal fractions of the sweeps of two arcs, from
// points two degrees apart on either arc. The ends are compared on the arcs' circles, where
// an arc whose ends lie off its radius differs most from one whose ends do not.
double ArcDeviation(const Arc& a, const Arc& b);

}  // namespace fendo
