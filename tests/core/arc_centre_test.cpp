#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr double kOnCircle = 1e-6;  // mm: how far from |R| a found centre may lie from either end
constexpr double kNearestCandidates = 0.001;  // mm from the chord, for the random arcs

// An arc programmed by R: the true centre it was made about, its ends, the signed R that names
// it (negative beyond half a turn), its direction, plane and sweep.
struct RadiusArc {
  ArcPlane plane;
  MoveKind kind;
  Point3 centre;
  Point3 start;
  Point3 end;
  double radius;  // signed, as programmed
  double sweep;   // degrees
};

Point3 InPlane(ArcPlane plane, double u, double v, double normal) {
  const PlaneAxes axes = AxesOf(plane);
  Point3 p;
  p.*axes.first = u;
  p.*axes.second = v;
  p.*axes.normal = normal;
  return p;
}

// Random R arcs in every plane and direction, of every chord slope, shorter and longer than
// half a turn, most of them helical. Half turns themselves are left out: where the candidates
// lie closer than 0.001 mm to the chord, the reader's square root takes rounding noise for zero
// and centres the arc on the chord, off R by up to 0.00003 mm.
class RandomRadiusArcs {
 public:
  explicit RandomRadiusArcs(unsigned seed) : random_(seed) {}

  RadiusArc Next() {
    static constexpr ArcPlane kPlanes[] = {ArcPlane::XY, ArcPlane::ZX, ArcPlane::YZ};
    const ArcPlane plane = kPlanes[random_() % 3];
    const MoveKind kind = random_() % 2 ? MoveKind::ArcCcw : MoveKind::ArcCw;
    const double r = std::exp(Uniform(std::log(0.05), std::log(500.0)));
    const double cu = Uniform(-1000, 1000);
    const double cv = Uniform(-1000, 1000);
    double sweep = Uniform(0.5, 359.5);
    while (r * std::fabs(std::cos(sweep / 2 * kDegree)) < kNearestCandidates) sweep = Uniform(0.5, 359.5);
    const double a0 = Uniform(0, 360);
    const double a1 = kind == MoveKind::ArcCcw ? a0 + sweep : a0 - sweep;
    const double rise = random_() % 4 == 0 ? 0 : Uniform(-50, 50);
    const double z0 = Uniform(-100, 100);
    return {.plane = plane,
            .kind = kind,
            .centre = InPlane(plane, cu, cv, z0),
            .start = InPlane(plane, cu + r * std::cos(a0 * kDegree), cv + r * std::sin(a0 * kDegree), z0),
            .end = InPlane(plane, cu + r * std::cos(a1 * kDegree), cv + r * std::sin(a1 * kDegree), z0 + rise),
            .radius = sweep < 180 ? r : -r,
            .sweep = sweep};
  }

 private:
  double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
  std::mt19937 random_;
};

// How far the centre start + offset lies from |R| at either end of the arc, in its plane.
double OffCircle(const RadiusArc& a, Point3 offset) {
  const Arc found = MeasureArc(a.start, a.end, offset, a.kind, a.plane);
  const PlaneAxes axes = AxesOf(a.plane);
  const double startRadius = std::hypot(a.start.*axes.first - found.centre.*axes.first,
                                        a.start.*axes.second - found.centre.*axes.second);
  return std::max(std::fabs(startRadius - std::fabs(a.radius)), std::fabs(found.radius - std::fabs(a.radius)));
}

// Whether the centre lies on the side R's sign asks for: the short way for a positive R, the
// long way for a negative one.
bool OnTheAskedSide(const RadiusArc& a, Point3 offset) {
  const double sweep = MeasureArc(a.start, a.end, offset, a.kind, a.plane).sweep;
  return a.radius > 0 ? sweep <= 180 : sweep >= 180;
}

TEST(ArcCentreFromRadius, FindsTheCentreOfEveryArc) {
  RandomRadiusArcs arcs(12);
  for (int i = 0; i < 100000; ++i) {
    const RadiusArc a = arcs.Next();
    const Point3 offset = ArcCentreFromRadius(a.plane, a.start, a.end, a.radius, a.kind);
    ASSERT_LT(OffCircle(a, offset), kOnCircle) << "arc " << i << " R " << a.radius << " sweep " << a.sweep;
    ASSERT_TRUE(OnTheAskedSide(a, offset)) << "arc " << i << " R " << a.radius << " sweep " << a.sweep;
    ASSERT_NEAR(MeasureArc(a.start, a.end, offset, a.kind, a.plane).sweep, a.sweep, 1e-6) << "arc " << i;
  }
}

TEST(ArcCentreFromRadius, ChordsAlongEitherAxisAndHalfCircles) {
  struct Case {
    const char* what;
    Point3 start, end;
    double radius;
    MoveKind kind;
    Point3 centreOffset;
  };
  const Case cases[] = {
      {"chord along u, short way", {0, 0, 0}, {10, 0, 0}, 13, MoveKind::ArcCcw, {5, 12, 0}},
      {"chord along u, long way", {0, 0, 0}, {10, 0, 0}, -13, MoveKind::ArcCcw, {5, -12, 0}},
      {"chord along v, short way", {0, 0, 0}, {0, 10, 0}, 13, MoveKind::ArcCcw, {-12, 5, 0}},
      {"chord along v, long way", {0, 0, 0}, {0, 10, 0}, -13, MoveKind::ArcCcw, {12, 5, 0}},
      {"chord along −v, clockwise", {0, 10, 0}, {0, 0, 0}, 13, MoveKind::ArcCw, {-12, -5, 0}},
      {"short chord of positive slope, clockwise", {0, 0, 0}, {0.6, 0.8, 0}, 5, MoveKind::ArcCw,
       {0.3 + 0.8 * std::sqrt(24.75), 0.4 - 0.6 * std::sqrt(24.75), 0}},
      {"half circle: the centre on the chord", {0, 0, 0}, {20, 0, 0}, 10, MoveKind::ArcCw, {10, 0, 0}},
      {"R shorter than half the chord: the midpoint", {0, 0, 0}, {20, 0, 0}, 4, MoveKind::ArcCw, {10, 0, 0}},
  };
  for (const Case& c : cases) {
    const Point3 got = ArcCentreFromRadius(ArcPlane::XY, c.start, c.end, c.radius, c.kind);
    EXPECT_NEAR(got.x, c.centreOffset.x, 1e-9) << c.what;
    EXPECT_NEAR(got.y, c.centreOffset.y, 1e-9) << c.what;
    EXPECT_EQ(got.z, 0) << c.what;
  }
}

// A helix programmed by R: the rise along the plane's normal is no part of the chord that
// decides the centre, so a steep helix keeps its radius.
TEST(ArcCentreFromRadius, AHelixIsCentredByItsChordInThePlane) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z5\nG01 Z0 F200\nG17 G03 X10 Y10 Z-40 R10 F200\nG18 G02 X10 Z-30 Y30 R7.0710678\n");
  const Arc xy = ArcGeometry(db, 2);
  EXPECT_NEAR(xy.centre.x, 0, 1e-12);
  EXPECT_NEAR(xy.centre.y, 10, 1e-12);
  EXPECT_NEAR(xy.radius, 10, 1e-12);
  EXPECT_NEAR(xy.sweep, 90, 1e-9) << "a chord of 14.1 in the plane, 42.4 in space";
  const Arc zx = ArcGeometry(db, 4);
  EXPECT_NEAR(zx.radius, 7.0710678, 1e-6);
  EXPECT_NEAR(zx.sweep, 90, 1e-5) << "a chord of 10 in the ZX plane, 22.4 in space";
}

// The rule before the candidates were put on the chord's true normal: the first candidate was
// M + (|m|·h, h)/√(m² + 1), mirrored in u when it lay 0.01 or more off R. For a chord of
// positive slope that point is off the normal, and on short chords it passed the test.
Point3 FormerArcCentreFromRadius(ArcPlane plane, Point3 start, Point3 end, double radius, MoveKind kind) {
  const PlaneAxes axes = AxesOf(plane);
  const double su = start.*axes.first, sv = start.*axes.second;
  const double eu = end.*axes.first, ev = end.*axes.second;
  const double slope = eu == su ? 100000 : (ev - sv) / (eu - su);
  const double chord = std::hypot(eu - su, ev - sv);
  const double h = SafeSqrt(radius * radius - chord * chord / 4);
  const double du = std::fabs(slope) * h / std::sqrt(slope * slope + 1);
  const double dv = h / std::sqrt(slope * slope + 1);
  const double mu = (su + eu) / 2, mv = (sv + ev) / 2;
  double u1 = mu + du, v1 = mv + dv, u2 = mu - du, v2 = mv - dv;
  if (std::fabs(std::hypot(su - u1, sv - v1) - std::fabs(radius)) >= 0.01) {
    u1 = mu - du;
    u2 = mu + du;
  }
  Point3 offset;
  offset.*axes.first = u1 - su;
  offset.*axes.second = v1 - sv;
  const double sweep = MeasureArc(start, end, offset, kind, plane).sweep;
  if (!(radius > 0 ? sweep < 180 : sweep >= 180)) {
    offset.*axes.first = u2 - su;
    offset.*axes.second = v2 - sv;
  }
  return offset;
}

// Wherever the former rule found a right centre the present one finds the very same numbers
// (to the last bit where the former's candidate lay on the chord's normal); the arcs it got
// wrong are those the present rule puts right.
TEST(ArcCentreFromRadius, AgreesWithTheFormerRuleWhereverThatWasRight) {
  RandomRadiusArcs arcs(34);
  int right = 0;
  int wrong = 0;
  int nearlyRight = 0;
  for (int i = 0; i < 100000; ++i) {
    const RadiusArc a = arcs.Next();
    const Point3 former = FormerArcCentreFromRadius(a.plane, a.start, a.end, a.radius, a.kind);
    const Point3 present = ArcCentreFromRadius(a.plane, a.start, a.end, a.radius, a.kind);
    if (OffCircle(a, former) < kOnCircle && OnTheAskedSide(a, former)) {
      ++right;
      if (present == former) continue;
      // A chord of the slightest positive slope: the former first candidate lay off the normal
      // by less than the tolerance and was taken.
      ++nearlyRight;
      ASSERT_LT(Length(present - former), kOnCircle) << "arc " << i << " R " << a.radius << " sweep " << a.sweep;
    } else {
      ++wrong;
    }
  }
  EXPECT_GT(wrong, 0) << "the random arcs include chords the former rule got wrong";
  EXPECT_GT(right, 90000);
  EXPECT_LT(nearlyRight, right / 10000);
  std::printf("former rule: %d of %d arcs right (%d of them within %g mm only), %d wrong\n", right, right + wrong,
              nearlyRight, kOnCircle, wrong);
}

}  // namespace
}  // namespace fendo
