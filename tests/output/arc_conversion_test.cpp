#include "output/arc_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/nc_reader.h"
#include "core/post_edit.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"

namespace fendo {
namespace {

using test::Describe;
using test::Fill;
using test::Rec;
using test::Records;
using K = MoveKind;
using Lines = std::vector<std::string>;

constexpr ArcPlane kPlanes[] = {ArcPlane::XY, ArcPlane::ZX, ArcPlane::YZ};
// mm; how far a coordinate may move by being stored as a float, at the sizes used here.
constexpr double kStorageNoise = 1e-4;

const char* PlaneName(ArcPlane plane) {
  switch (plane) {
    case ArcPlane::ZX: return "ZX";
    case ArcPlane::YZ: return "YZ";
    case ArcPlane::XY: break;
  }
  return "XY";
}

// A point given in a plane's own axes: u along the first, v along the second, n along the normal.
Point3 InPlane(ArcPlane plane, double u, double v, double n = 0) {
  const PlaneAxes axes = AxesOf(plane);
  Point3 p;
  p.*axes.first = u;
  p.*axes.second = v;
  p.*axes.normal = n;
  return p;
}

// The point of the circle around (cu, cv) at `degrees` in the plane's axes.
Point3 OnCircle(ArcPlane plane, double cu, double cv, double radius, double degrees, double n = 0) {
  const double a = degrees * std::numbers::pi / 180;
  return InPlane(plane, cu + radius * std::cos(a), cv + radius * std::sin(a), n);
}

ToolpathRecord At(MoveKind kind, Point3 p, int feed = 0) {
  return Rec(kind, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z), feed);
}

Point3 Stored(Point3 p) { return PositionOf(At(K::Feed, p)); }

// A path as the reader stores it: a rapid move to the first point, then feed moves through
// the others. Each feed is the record's index, so that every move of a result can be matched
// with the records it replaced.
std::vector<ToolpathRecord> FeedPath(const std::vector<Point3>& points) {
  std::vector<ToolpathRecord> records;
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    records.push_back(At(i == 0 ? K::RapidStart : i == 1 ? K::FeedStart : K::Feed, points[i], i));
  }
  return records;
}

int CountKind(ToolpathDatabase& db, bool (*is)(MoveKind)) {
  int n = 0;
  for (int i = 0; i < db.recordCount; ++i) n += is(db.RecordAt(i)->kind);
  return n;
}
int ArcCount(ToolpathDatabase& db) { return CountKind(db, IsArcKind); }

// The arcs of the buffer, measured by the arc rule.
std::vector<Arc> ArcsOf(ToolpathDatabase& db) {
  std::vector<Arc> arcs;
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsArcKind(db.RecordAt(i)->kind)) arcs.push_back(ArcGeometry(db, i));
  }
  return arcs;
}

class RecordedProgress : public Progress {
 public:
  void Report(std::string_view text, std::int64_t, std::int64_t) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

// Distances of a point from the moves of a result, computed here independently of the code
// under test.
double DistanceFromSegment(Point3 q, Point3 a, Point3 b) {
  const Point3 ab = b - a;
  const double length2 = ab.x * ab.x + ab.y * ab.y + ab.z * ab.z;
  double f = length2 == 0 ? 0 : ((q.x - a.x) * ab.x + (q.y - a.y) * ab.y + (q.z - a.z) * ab.z) / length2;
  f = std::clamp(f, 0.0, 1.0);
  return Length(q - (a + ab * f));
}

double DistanceFromArc(Point3 q, const Arc& arc) {
  const PlaneAxes axes = AxesOf(arc.plane);
  // The arc rule's angles are those of the vector from a point to the centre.
  const double angle = AngleInPlane(arc.centre - q, arc.plane);
  double turned = arc.kind == K::ArcCw ? arc.startAngle - angle : angle - arc.startAngle;
  turned = std::fmod(std::fmod(turned, 360) + 360, 360);
  if (turned > arc.sweep) return std::min(Length(q - arc.start), Length(q - arc.end));
  const double fraction = arc.sweep > 0 ? turned / arc.sweep : 0;
  const double normal = arc.start.*axes.normal + (arc.end.*axes.normal - arc.start.*axes.normal) * fraction;
  const double fromCentre =
      std::hypot(q.*axes.first - arc.centre.*axes.first, q.*axes.second - arc.centre.*axes.second);
  return std::hypot(fromCentre - arc.radius, q.*axes.normal - normal);
}

// The furthest any of `original` (the points of a FeedPath) lies from the move of the result
// that took its place: a straight move between two kept points, or an arc.
double LargestStray(ToolpathDatabase& db, const std::vector<Point3>& original) {
  std::vector<int> motions;
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsMotionKind(db.RecordAt(i)->kind)) motions.push_back(i);
  }
  double largest = 0;
  int from = 0;  // the original index of the last point of the result
  for (std::size_t m = 1; m < motions.size(); ++m) {
    const ToolpathRecord& r = *db.RecordAt(motions[m]);
    if (IsArcKind(r.kind)) {
      // An arc record keeps the feed of the move it took the place of; it ends where the next
      // kept move begins.
      const int to =
          m + 1 < motions.size() ? db.RecordAt(motions[m + 1])->feed - 1 : static_cast<int>(original.size()) - 1;
      const Arc arc = ArcGeometry(db, motions[m]);
      for (int j = from + 1; j <= to; ++j) largest = std::max(largest, DistanceFromArc(Stored(original[j]), arc));
      from = to;
      continue;
    }
    const Point3 a = PositionOf(*db.RecordAt(motions[m - 1]));
    const Point3 b = PositionOf(r);
    for (int j = from + 1; j <= r.feed; ++j)
      largest = std::max(largest, DistanceFromSegment(Stored(original[j]), a, b));
    from = r.feed;
  }
  return largest;
}

// A generator of test paths that gives the same paths on every machine: the engine of the
// standard library is specified exactly, its distributions are not. Draws are made one per
// statement, since the order in which a call's arguments are worked out is not fixed.
class Shapes {
 public:
  explicit Shapes(std::uint32_t seed) : engine_(seed) {}

  double Uniform(double lo, double hi) { return lo + (hi - lo) * (engine_() / 4294967296.0); }
  int Integer(int lo, int hi) { return lo + static_cast<int>(engine_() % static_cast<std::uint32_t>(hi - lo + 1)); }
  template <typename T, std::size_t N>
  T Pick(const T (&values)[N]) {
    return values[engine_() % N];
  }

  // A wavy line with steps of 0.1 to 0.6 mm in the plane, at one height or wandering along the
  // normal by less than `normalNoise`.
  std::vector<Point3> Wavy(ArcPlane plane, int count, double normalNoise) {
    const double amplitude = Uniform(0.5, 20);
    const double wave = Uniform(2, 40);
    const double ripple = Uniform(0, 0.5);
    const double n0 = Uniform(-20, 20);
    std::vector<Point3> points;
    double u = Uniform(-100, 0);
    for (int k = 0; k < count; ++k) {
      u += Uniform(0.1, 0.6);
      const double v = amplitude * std::sin(u / wave) + ripple * std::sin(u * 3.1);
      points.push_back(InPlane(plane, u, v, n0 + Uniform(-normalNoise, normalNoise)));
    }
    return points;
  }

  // Steps in the plane of up to `step` mm along each of its axes.
  std::vector<Point3> Walk(ArcPlane plane, int count, double step) {
    std::vector<Point3> points;
    Point3 p = InPlane(plane, 0, 0, Uniform(-20, 20));
    for (int k = 0; k < count; ++k) {
      const double du = Uniform(-step, step);
      p = p + InPlane(plane, du, Uniform(-step, step));
      points.push_back(p);
    }
    return points;
  }

  // Points along a circle, possibly winding more than once (up to 500 points), climbing
  // `pitch` mm per turn along the normal (a helix), with the radius disturbed by up to `noise`.
  std::vector<Point3> Circle(ArcPlane plane, double radius, double stepDegrees, double turns, double pitch,
                             double noise) {
    const double cu = Uniform(-50, 50);
    const double cv = Uniform(-50, 50);
    const double n0 = Uniform(-20, 20);
    const double direction = engine_() % 2 ? 1 : -1;
    const double a0 = Uniform(0, 360);
    const int count = static_cast<int>(std::min(turns * 360 / stepDegrees, 499.0)) + 1;
    std::vector<Point3> points;
    for (int k = 0; k < count; ++k) {
      const double turned = k * stepDegrees;
      const double r = radius + Uniform(-noise, noise);
      points.push_back(OnCircle(plane, cu, cv, r, a0 + direction * turned, n0 + pitch * turned / 360));
    }
    return points;
  }

 private:
  std::mt19937 engine_;
};

// ---------------------------------------------------------------------------------------
// The dialog's values

TEST(ArcConvertOptions, EveryValueIsCheckedAgainstItsRangeEndsIncluded) {
  EXPECT_FALSE(CheckRanges(ArcConvertOptions{})) << "the defaults";
  EXPECT_FALSE(CheckRanges(
      {.arcTolerance = 0.001, .maxArcPoints = 3, .minRadius = 0.1, .maxRadius = 10, .filterTolerance = 0.0001}));
  EXPECT_FALSE(CheckRanges(
      {.arcTolerance = 5, .maxArcPoints = 1000, .minRadius = 100, .maxRadius = 5000, .filterTolerance = 100}));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    ArcConvertOptions options;
    const char* field;
    const char* message;
  } cases[] = {
      {{.arcTolerance = 0.0009},
       "arcTolerance",
       "arcTolerance (Arc 변환 공차) must lie between 0.001 and 5, not 0.0009"},
      {{.arcTolerance = nan}, "arcTolerance", "arcTolerance (Arc 변환 공차) must lie between 0.001 and 5, not nan"},
      {{.maxArcPoints = 1001}, "maxArcPoints", "maxArcPoints (Arc 변환 포인트) must lie between 3 and 1000, not 1001"},
      {{.maxArcPoints = 2}, "maxArcPoints", "maxArcPoints (Arc 변환 포인트) must lie between 3 and 1000, not 2"},
      {{.minRadius = 0.05}, "minRadius", "minRadius (최소 반경) must lie between 0.1 and 100, not 0.05"},
      {{.maxRadius = 5000.5}, "maxRadius", "maxRadius (최대 반경) must lie between 10 and 5000, not 5000.5"},
      {{.filterTolerance = 0},
       "filterTolerance",
       "filterTolerance (필터링 공차) must lie between 0.0001 and 100, not 0"},
      {{.arcTolerance = 9, .filterTolerance = 0},
       "arcTolerance",
       "arcTolerance (Arc 변환 공차) must lie between 0.001 and 5, not 9"},
  };
  for (const auto& c : cases) {
    const std::optional<OptionOutOfRange> refused = CheckRanges(c.options);
    ASSERT_TRUE(refused) << c.field;
    EXPECT_EQ(refused->field, c.field);
    EXPECT_EQ(refused->message, c.message);
  }
}

// ---------------------------------------------------------------------------------------
// FilterLinear

TEST(FilterLinear, PointsGoOnlyWhenALaterPointProvesTheStraightMove) {
  const struct {
    const char* name;
    std::vector<ToolpathRecord> records;
    Lines expected;
  } cases[] = {
      {"ten collinear points: no point deviates, so no anchor moves and none goes",
       {Rec(K::RapidStart, 0, 0, 5), Rec(K::FeedStart, 1, 0, 5), Rec(K::Feed, 2, 0, 5), Rec(K::Feed, 3, 0, 5),
        Rec(K::Feed, 4, 0, 5), Rec(K::Feed, 5, 0, 5), Rec(K::Feed, 6, 0, 5), Rec(K::Feed, 7, 0, 5),
        Rec(K::Feed, 8, 0, 5), Rec(K::Feed, 9, 0, 5), Rec(K::Feed, 10, 0, 5)},
       {"1 0 0 5 0", "3 1 0 5 0", "4 2 0 5 0", "4 3 0 5 0", "4 4 0 5 0", "4 5 0 5 0", "4 6 0 5 0", "4 7 0 5 0",
        "4 8 0 5 0", "4 9 0 5 0", "4 10 0 5 0"}},
      {"a corner P4 after P1..P3 on a line from the rapid end A: P1 and P2 go, P3 is the anchor",
       {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0, 0), Rec(K::Feed, 2, 0, 0), Rec(K::Feed, 3, 0, 0),
        Rec(K::Feed, 3, 1, 0)},
       {"1 0 0 0 0", "3 3 0 0 0", "4 3 1 0 0"}},
      {"points within the tolerance go, the last of a run stays",
       {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0.0005f, 0), Rec(K::Feed, 2, -0.0005f, 0),
        Rec(K::Feed, 3, 0, 0), Rec(K::Feed, 3, 1, 0), Rec(K::Feed, 3, 2, 0)},
       {"1 0 0 0 0", "3 3 0 0 0", "4 3 1 0 0", "4 3 2 0 0"}},
      {"a move that runs on and comes back along the line keeps its far end",
       {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0, 0), Rec(K::Feed, 10, 0, 0), Rec(K::Feed, 5, 0, 0),
        Rec(K::Feed, 5, 5, 0)},
       {"1 0 0 0 0", "3 10 0 0 0", "4 5 0 0 0", "4 5 5 0 0"}},
      {"a Feed right after an arc (kinds not yet normalised) starts a run: the arc, its centre and its "
       "start stay",
       {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0, 0), Rec(K::Feed, 2, 0, 0), Rec(K::Feed, 3, 0, 0),
        Rec(K::ArcCcw, 5, 2, 0), Rec(K::CentreXY, 0, 2, 0), Rec(K::Feed, 6, 2, 0), Rec(K::Feed, 7, 2, 0),
        Rec(K::Feed, 7, 5, 0)},
       {"1 0 0 0 0", "3 1 0 0 0", "4 2 0 0 0", "4 3 0 0 0", "6 5 2 0 0", "91 0 2 0 0", "3 6 2 0 0", "4 7 2 0 0",
        "4 7 5 0 0"}},
      {"a Feed right after a rapid starts a run: the rapid moves stay",
       {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0, 0), Rec(K::Feed, 2, 0, 0), Rec(K::RapidStart, 2, 0, 5),
        Rec(K::Rapid, 4, 1, 5), Rec(K::Feed, 4, 1, 0), Rec(K::Feed, 6, 1, 0), Rec(K::Feed, 6, 3, 0)},
       {"1 0 0 0 0", "3 1 0 0 0", "4 2 0 0 0", "1 2 0 5 0", "2 4 1 5 0", "3 4 1 0 0", "4 6 1 0 0", "4 6 3 0 0"}},
  };
  for (const auto& c : cases) {
    ToolpathDatabase db;
    Fill(db, c.records);
    FilterLinear(db, 0.001);
    EXPECT_EQ(Records(db), c.expected) << c.name;
  }
}

TEST(FilterLinear, NeverMovesThePathFurtherThanItsTolerance) {
  Shapes shapes(20261207);
  int removedInAll = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const ArcPlane plane = kPlanes[trial % 3];
    const double t = shapes.Pick({0.0005, 0.001, 0.01, 0.1});
    // Wavy stretches, straight stretches with points a little off the line, and moves that
    // turn back along themselves.
    std::vector<Point3> points = shapes.Wavy(plane, 150, t);
    Point3 p = points.back();
    for (int k = 0; k < 60; ++k) {
      const double step = shapes.Uniform(0.05, 1);
      const double dv = shapes.Uniform(-t, t);
      p = p + InPlane(plane, step, dv, shapes.Uniform(-t, t));
      points.push_back(p);
      if (shapes.Integer(0, 9) == 0) {
        p = p + InPlane(plane, -step * shapes.Uniform(0.2, 3), 0);
        points.push_back(p);
      }
    }
    ToolpathDatabase db;
    Fill(db, FeedPath(points));
    removedInAll += FilterLinear(db, t);
    EXPECT_LE(LargestStray(db, points), t + kStorageNoise) << "trial " << trial << ", tolerance " << t;
  }
  EXPECT_GT(removedInAll, 1000) << "the paths give the filter something to remove";
}

// ---------------------------------------------------------------------------------------
// FilterArcs

TEST(FilterArcs, ArcsThatHugTheirChordBecomeStraightMoves) {
  const struct {
    const char* name;
    ArcPlane plane;
    double radius, sweep, rise;
    bool straight;
  } cases[] = {
      {"R10, 1°: c = 2·acos(0.999) ≈ 5.13°", ArcPlane::XY, 10, 1, 0, true},
      {"R10, 10°", ArcPlane::XY, 10, 10, 0, false},
      {"R10, 5° just below c", ArcPlane::XY, 10, 5, 0, true},
      {"R10, 5.2° just above c", ArcPlane::XY, 10, 5.2, 0, false},
      {"an arc smaller than half the tolerance has no c", ArcPlane::XY, 0.004, 170, 0, true},
      {"ZX plane", ArcPlane::ZX, 10, 1, 0, true},
      {"YZ plane, kept", ArcPlane::YZ, 10, 10, 0, false},
      {"a helix goes straight to its end, climb included", ArcPlane::XY, 10, 1, 0.5, true},
  };
  for (const auto& c : cases) {
    ToolpathDatabase db;
    const Point3 start = OnCircle(c.plane, 0, 0, c.radius, 0);
    const Point3 end = OnCircle(c.plane, 0, 0, c.radius, c.sweep, c.rise);
    Fill(db, {Rec(K::RapidStart, 0, 0, 20), At(K::FeedStart, start, 100), At(K::ArcCcw, end, 100),
              At(CentreKindOf(c.plane), Point3{} - InPlane(c.plane, c.radius, 0)),
              At(K::Feed, end + Point3{1, 1, 1}, 100)});
    db.plane = ArcPlane::XY;
    EXPECT_EQ(FilterArcs(db, 0.01), c.straight ? 1 : 0) << c.name;
    const Lines expectedEnd = {Describe(At(c.straight ? K::Feed : K::ArcCcw, end, 100))};
    EXPECT_EQ(Records(db)[2], expectedEnd[0]) << c.name;
    EXPECT_EQ(db.recordCount, c.straight ? 4 : 5) << c.name << ": the centre record goes with its arc";
    EXPECT_EQ(db.plane, c.plane) << c.name << ": the plane of the last arc is in force";
  }
}

TEST(FilterArcs, AMoveAfterAnArcWithoutItsCentreRecordStays) {
  ToolpathDatabase db;
  // The move after the arc stands where its centre offset would: the arc measures as 1° of R20.
  Fill(db, {Rec(K::RapidStart, 0, 0, 20), Rec(K::FeedStart, 10, 0, 0), Rec(K::ArcCcw, 10.00305f, -0.34905f, 0),
            Rec(K::Feed, 20, 0, 0), Rec(K::Feed, 30, 5, 0)});
  EXPECT_EQ(FilterArcs(db, 0.01), 1);
  EXPECT_EQ(Records(db), (Lines{"1 0 0 20 0", "3 10 0 0 0", "4 10.00305 -0.34905 0 0", "4 20 0 0 0", "4 30 5 0 0"}));
}

// ---------------------------------------------------------------------------------------
// ArcsToLines

constexpr std::string_view kArcProgram =
    "G90 G17 G00 X0 Y0 Z5\n"
    "G01 Z0 F500\n"
    "X10\n"
    "G03 X20 Y10 I0 J10 F400\n"
    "G02 X30 Y20 Z-2 I10 J0\n"
    "G01 X40\n"
    "G18 G02 X45 Z3 I5 K0\n"
    "G19 G03 Y30 Z13 J10 K0\n"
    "G01 Y40\n"
    "G00 Z50\n";

TEST(ArcsToLines, CutsArcsAsTheReaderDoes) {
  for (const double tolerance : {0.001, 0.05}) {
    ToolpathDatabase converted;
    AppendText(converted, kArcProgram);
    ASSERT_EQ(ArcCount(converted), 4);
    ASSERT_TRUE(ArcsToLines(converted, tolerance));

    ToolpathDatabase read;
    read.options.arcToCutInputChk = true;
    read.chordTolerance = tolerance;
    AppendText(read, kArcProgram);
    CompactRecords(read);
    NormalizeKinds(read);
    EXPECT_EQ(Records(converted), Records(read)) << "tolerance " << tolerance;
    EXPECT_EQ(ArcCount(converted), 0);
    EXPECT_EQ(CountKind(converted, IsCentreKind), 0);
  }
}

TEST(ArcsToLines, ReportsItsProgressAndClearsTheText) {
  ToolpathDatabase db;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 0)};
  for (int i = 1; i < 2000; ++i) records.push_back(Rec(i == 1 ? K::FeedStart : K::Feed, static_cast<float>(i), 0, 0));
  Fill(db, records);
  RecordedProgress progress;
  ASSERT_TRUE(ArcsToLines(db, 0.01, &progress));
  ASSERT_EQ(progress.texts.size(), 20u);
  EXPECT_EQ(progress.texts[0], " G02, G03 -> G01 processing ( 5.050)");
  EXPECT_EQ(progress.texts[18], " G02, G03 -> G01 processing (95.950)");
  EXPECT_EQ(progress.texts[19], " ");
}

// The record limit holds the result, not the old and the new records together: a buffer
// more than half full converts as long as its chords fit, and a full one is left alone when
// they do not.
TEST(ArcsToLines, RefusesWholeOnlyAResultBeyondTheRecordLimit) {
  constexpr int kLimit = ToolpathDatabase::kMaxRecords;
  // `count` records: feed moves back and forth, then an arc of R10 from the last of them, at
  // (10, 0); filled through a layer's block, which is much faster than record by record.
  const auto fill = [](ToolpathDatabase& db, int count, double sweepDegrees) {
    RecordBlock& block = db.layers[1].points;
    ASSERT_TRUE(block.Allocate(count));
    ToolpathRecord* records = block.data();
    records[0] = Rec(K::RapidStart, 0, 0, 0);
    for (int i = 1; i < count - 2; ++i) {
      records[i] = Rec(i == 1 ? K::FeedStart : K::Feed, (count - 3 - i) % 2 ? 5 : 10, 0, 0);
    }
    records[count - 2] = At(K::ArcCcw, OnCircle(ArcPlane::XY, 0, 0, 10, sweepDegrees));
    records[count - 1] = At(K::CentreXY, {-10, 0, 0});
    ASSERT_TRUE(db.LoadFromLayer(1));
    block.Free();
  };
  const auto tail = [](ToolpathDatabase& db) {
    return Lines{Describe(*db.RecordAt(db.recordCount - 3)), Describe(*db.RecordAt(db.recordCount - 2)),
                 Describe(*db.RecordAt(db.recordCount - 1))};
  };
  {
    ToolpathDatabase db;
    fill(db, kLimit, 180);
    const Lines before = tail(db);
    EXPECT_FALSE(ArcsToLines(db, 0.001)) << "a half circle of R10 needs hundreds of chords";
    EXPECT_EQ(db.recordCount, kLimit);
    EXPECT_EQ(tail(db), before);
  }
  {
    ToolpathDatabase db;
    const int count = kLimit / 2 + 10;
    fill(db, count, 1);
    EXPECT_TRUE(ArcsToLines(db, 0.01)) << "one chord takes the place of the arc and its centre";
    EXPECT_EQ(db.recordCount, count - 1);
    EXPECT_EQ(tail(db), (Lines{"4 5 0 0 0", "4 10 0 0 0", Describe(At(K::Feed, OnCircle(ArcPlane::XY, 0, 0, 10, 1)))}));
  }
}

// ---------------------------------------------------------------------------------------
// FitArc and ArcDeviation

TEST(FitArc, FindsTheCircleAndItsTurnInEveryPlane) {
  for (const ArcPlane plane : kPlanes) {
    for (const double direction : {1.0, -1.0}) {
      std::vector<Point3> points;
      for (int k = 0; k <= 6; ++k) points.push_back(OnCircle(plane, 3, -4, 5, 30 + direction * k, 7));
      const std::optional<ArcFit> fit = FitArc(points, 0.001, plane, std::nullopt);
      ASSERT_TRUE(fit) << PlaneName(plane);
      EXPECT_NEAR(fit->radius, 5, 1e-9) << PlaneName(plane);
      EXPECT_NEAR(Length(fit->centre - InPlane(plane, 3, -4, 7)), 0, 1e-9) << PlaneName(plane);
      EXPECT_EQ(fit->direction, direction > 0 ? K::ArcCcw : K::ArcCw) << PlaneName(plane);
      // The arc rule agrees: from the first point to the last, the arc sweeps the 6° the
      // points cover.
      const Arc arc = MeasureArc(points.front(), points.back(), fit->centre - points.front(), fit->direction, plane);
      EXPECT_NEAR(arc.sweep, 6, 1e-6) << PlaneName(plane);
    }
  }
}

TEST(FitArc, RefusesRunsNoArcCanReplace) {
  const auto circle = [](double n) {
    std::vector<Point3> points;
    for (int k = 0; k <= 4; ++k) points.push_back(OnCircle(ArcPlane::XY, 0, 0, 5, k, k == 4 ? n : 0));
    return points;
  };
  EXPECT_TRUE(FitArc(circle(0.0009), 0.001, ArcPlane::XY, std::nullopt)) << "within the tolerance of the plane";
  EXPECT_FALSE(FitArc(circle(0.002), 0.001, ArcPlane::XY, std::nullopt)) << "the end leaves the plane";
  const std::vector<Point3> straight{{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 3, 0}};
  EXPECT_FALSE(FitArc(straight, 0.001, ArcPlane::XY, std::nullopt));
  const std::vector<Point3> wave{{0, 0, 0}, {1, 0.3, 0}, {2, 0, 0}, {3, -0.3, 0}, {4, 0, 0}};
  EXPECT_FALSE(FitArc(wave, 0.01, ArcPlane::XY, std::nullopt));
  EXPECT_FALSE(FitArc(std::vector<Point3>{{0, 0, 0}, {1, 1, 0}}, 0.001, ArcPlane::XY, std::nullopt));
}

TEST(ArcDeviation, CountsHowFarTheArcBulgesFromEachMove) {
  const Point3 centre{0, 0, 0};
  const std::vector<Point3> quarter{{10, 0, 0}, {0, 10, 0}};
  EXPECT_NEAR(*ArcDeviation(quarter, centre, 10, ArcPlane::XY), 10 - std::sqrt(50.0), 1e-12)
      << "the sagitta of a 90° chord";
  const std::vector<Point3> offCircle{{10, 0, 0}, {10.3, 0.1, 0}};
  EXPECT_NEAR(*ArcDeviation(offCircle, centre, 10, ArcPlane::XY), std::hypot(10.3, 0.1) - 10, 1e-12);
  // One degree along the circle, beside the plane the arc lies in (its start's).
  const auto beside = [](double radius, double z) {
    const double a = std::numbers::pi / 180;
    return std::vector<Point3>{{10, 0, 0}, {radius * std::cos(a), radius * std::sin(a), z}};
  };
  EXPECT_NEAR(*ArcDeviation(beside(10, 0.03), centre, 10, ArcPlane::XY), 0.03, 1e-9)
      << "on the circle in the plane, measured in space";
  EXPECT_NEAR(*ArcDeviation(beside(10.02, 0.03), centre, 10, ArcPlane::XY), std::hypot(0.02, 0.03), 1e-9);
  EXPECT_FALSE(ArcDeviation(std::vector<Point3>{{10, 0, 0}}, centre, 10, ArcPlane::XY));
}

// ---------------------------------------------------------------------------------------
// LinesToArcs

struct RunCase {
  const char* name;
  std::vector<Point3> points;  // after the rapid end at index 0
  double minRadius = 1, maxRadius = 1000;
  Lines kinds;  // the kinds of the result, in order
};

std::vector<Point3> Around(double radius, int count, double stepDegrees, double z = 0) {
  std::vector<Point3> points{{0, 0, 30}};
  for (int k = 0; k < count; ++k) points.push_back(OnCircle(ArcPlane::XY, 0, 0, radius, k * stepDegrees, z));
  return points;
}

Lines KindsOf(ToolpathDatabase& db) {
  Lines kinds;
  for (int i = 0; i < db.recordCount; ++i) kinds.push_back(std::string(MoveKindName(db.RecordAt(i)->kind)));
  return kinds;
}

TEST(LinesToArcs, FitsOnlyRunsLongEnoughAndOfAllowedRadius) {
  std::vector<Point3> leaving = Around(10, 8, 5);
  for (int k = 6; k <= 8; ++k) leaving[k].z = 0.02;
  const RunCase cases[] = {
      {"three feed points after the rapid (e − p = 3) stay",
       Around(10, 3, 5),
       1,
       1000,
       {"RapidStart", "FeedStart", "Feed", "Feed"}},
      {"four feed points make the shortest arc",
       Around(10, 4, 5),
       1,
       1000,
       {"RapidStart", "FeedStart", "ArcCcw", "CentreXY"}},
      {"radius 0.5 below the smallest radius 1.0", Around(0.5, 12, 20), 1, 1000, Lines(13, "Feed")},
      {"radius 20 above the largest radius 10", Around(20, 12, 2), 1, 10, Lines(13, "Feed")},
      {"a run that leaves the plane ends there",
       leaving,
       1,
       1000,
       {"RapidStart", "FeedStart", "ArcCcw", "CentreXY", "FeedStart", "Feed", "Feed"}},
  };
  for (const RunCase& c : cases) {
    ToolpathDatabase db;
    Fill(db, FeedPath(c.points));
    LinesToArcs(db, c.minRadius, c.maxRadius, 0.01, ArcPlane::XY, 100);
    Lines expected = c.kinds;
    if (expected.size() == 13) {
      expected[0] = "RapidStart";
      expected[1] = "FeedStart";
    }
    EXPECT_EQ(KindsOf(db), expected) << c.name;
  }

  ToolpathDatabase db;
  Fill(db, FeedPath(leaving));
  LinesToArcs(db, 1, 1000, 0.01, ArcPlane::XY, 100);
  EXPECT_EQ(Describe(*db.RecordAt(2)), Describe(At(K::ArcCcw, leaving[5], 2)))
      << "the arc ends at the last point in the plane, with the feed of the move it replaced first";
  EXPECT_LT(Length(PositionOf(*db.RecordAt(3)) - (Point3{} - leaving[1])), kStorageNoise) << "the centre offset";
}

// Points on a circle that rise and fall along the normal within the tolerance: the arc lies in
// the plane of its start, which every point is near; a helix down to the last point would
// pass further than that from the points in the middle.
TEST(LinesToArcs, AnArcLiesInThePlaneOfItsStart) {
  std::vector<Point3> points{{0, 0, 30}};
  for (int k = 0; k <= 10; ++k)
    points.push_back(OnCircle(ArcPlane::XY, 0, 0, 10, k * 2, k == 0 ? 0 : k < 10 ? 0.009 : -0.009));
  ToolpathDatabase db;
  Fill(db, FeedPath(points));
  ASSERT_EQ(LinesToArcs(db, 1, 1000, 0.01, ArcPlane::XY, 100), 1);
  EXPECT_EQ(Describe(*db.RecordAt(2)), Describe(At(K::ArcCcw, OnCircle(ArcPlane::XY, 0, 0, 10, 20), 2)));
  EXPECT_LE(LargestStray(db, points), 0.01 + kStorageNoise);
}

TEST(LinesToArcs, AnArcCoversAtMostMaxPointsMoves) {
  ToolpathDatabase db;
  Fill(db, FeedPath(Around(10, 25, 5)));
  EXPECT_EQ(LinesToArcs(db, 1, 1000, 0.01, ArcPlane::XY, 10), 2);
  EXPECT_EQ(KindsOf(db), (Lines{"RapidStart", "FeedStart", "ArcCcw", "CentreXY", "FeedStart", "ArcCcw", "CentreXY",
                                "FeedStart", "Feed", "Feed"}))
      << "arc of 10 moves, the move to the next run's start, arc of 10 moves, the rest too short";
}

// One move turns 300° around the circle in a single step: its chord is the circle's radius,
// whose sagitta the loose tolerance lets pass, and every point lies on the circle in order. So
// from the first three points on, the fit runs on to the end the long way round, far longer
// than the moves, and is not written; from the point after the long move, a true arc fits.
TEST(LinesToArcs, AFitThatFailsTheLengthCheckIsSkippedAndTheWalkGoesOn) {
  std::vector<Point3> points{{0, 0, 10}};
  for (const double degrees : {0, 10, 20, 320, 330, 340, 350, 355})
    points.push_back(OnCircle(ArcPlane::XY, 0, 0, 2, degrees));
  ToolpathDatabase db;
  Fill(db, FeedPath(points));
  EXPECT_EQ(LinesToArcs(db, 0.1, 5000, 0.3, ArcPlane::XY, 1000), 1);
  EXPECT_EQ(KindsOf(db), (Lines{"RapidStart", "FeedStart", "Feed", "Feed", "Feed", "ArcCcw", "CentreXY"}));
  EXPECT_EQ(Describe(*db.RecordAt(5)), Describe(At(K::ArcCcw, points.back(), 5)));
}

// The best circle through these points (R 1.23, clockwise) passes within the tolerance of
// each of them and its arc is about as long as the moves, but the arc sweeps 271° of it and
// the second and third points lie near the part it leaves out, 0.6 and 0.8 mm from the arc.
TEST(LinesToArcs, AFitWhosePointsDoNotFollowTheArcIsNotWritten) {
  const std::vector<Point3> points{{-0.47583, 1.81357, 5}, {-0.47583, 1.81357, 0}, {-0.71070, 2.40029, 0},
                                   {-0.44038, 1.73278, 0}, {-1.30014, 2.60789, 0}, {-2.09835, 2.39514, 0}};
  ToolpathDatabase db;
  Fill(db, FeedPath(points));
  LinesToArcs(db, 0.1, 5000, 0.5, ArcPlane::XY, 1000);
  EXPECT_LE(LargestStray(db, points), 0.5 + kStorageNoise);
}

TEST(LinesToArcs, ReportsItsPlaneAndShareAndClearsTheText) {
  ToolpathDatabase db;
  std::vector<Point3> points;
  for (int i = 0; i < 2000; ++i) points.push_back({static_cast<double>(i), 0, 0});
  Fill(db, FeedPath(points));
  RecordedProgress progress;
  LinesToArcs(db, 1, 1000, 0.01, ArcPlane::ZX, 100, &progress);
  ASSERT_EQ(progress.texts.size(), 20u);
  EXPECT_EQ(progress.texts[0], " ZX Plane processing ( 5.050)");
  EXPECT_EQ(progress.texts[1], " ZX Plane processing (10.100)");
  EXPECT_EQ(progress.texts[19], " ");
}

TEST(LinesToArcs, NeverMovesThePathFurtherThanItsTolerance) {
  Shapes shapes(424242);
  int circleArcs = 0;
  for (int trial = 0; trial < 240; ++trial) {
    const ArcPlane plane = kPlanes[trial % 3];
    double t = shapes.Pick({0.001, 0.005, 0.01, 0.05});
    std::vector<Point3> points;
    const int shape = trial / 3 % 4;
    if (shape == 0) {
      points = shapes.Wavy(plane, 200, shapes.Pick({0.0, t / 2}));
    } else if (shape == 3) {
      // A coarse tolerance on a random walk: circles through any three points fit, some of
      // them the long way round.
      t = shapes.Pick({0.2, 0.5, 1.0, 2.0});
      points = shapes.Walk(plane, 100, shapes.Uniform(0.1, 5));
    } else {
      const double radius = shapes.Uniform(0.5, 120);
      const double pitch = shape == 2 ? shapes.Pick({0.001, 0.02, 0.5, 3.0}) : 0;
      const double noise = shapes.Pick({0.0, 0.0, t / 3});
      // Steps whose chords stray from the circle by 0.2 to 1.5 times the tolerance.
      const double sagitta = shapes.Uniform(0.2, 1.5) * t;
      const double stepDegrees = std::min(30.0, 2 * std::acos(1 - sagitta / radius) * 180 / std::numbers::pi);
      points = shapes.Circle(plane, radius, stepDegrees, shapes.Uniform(0.3, 2.5), pitch, noise);
    }
    points.insert(points.begin(), points.front() + InPlane(plane, 0, 0, 5));
    ToolpathDatabase db;
    Fill(db, FeedPath(points));
    // Fitting costs the cube of the longest arc allowed; on a walk, arcs stay short anyway.
    const int maxPoints = shapes.Integer(3, shape == 3 ? 30 : 300);
    int arcs = 0;
    for (const ArcPlane pass : kPlanes) arcs += LinesToArcs(db, 0.1, 5000, t, pass, maxPoints);
    if (shape == 1 || shape == 2) circleArcs += arcs;
    EXPECT_LE(LargestStray(db, points), t + kStorageNoise)
        << "trial " << trial << ", " << PlaneName(plane) << ", tolerance " << t << ", " << arcs << " arcs";
  }
  EXPECT_GT(circleArcs, 200) << "circles and helices come out as arcs";
}

// ---------------------------------------------------------------------------------------
// Both ways: lines from arcs fit back into the arcs they came from.

TEST(ArcConvert, ArcsCutIntoLinesComeBackAsArcsInEveryTickedPlane) {
  Shapes shapes(99);
  struct Original {
    ArcPlane plane;
    MoveKind kind;
    Point3 centre;
    double radius;
  };
  std::vector<Original> originals;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0, 800)};
  Point3 at{0, 0, 0};
  for (int k = 0; k < 45; ++k) {
    const ArcPlane plane = kPlanes[k % 3];
    const MoveKind kind = k / 3 % 2 ? K::ArcCw : K::ArcCcw;
    const double radius = shapes.Uniform(2, 100);
    const double sweep = shapes.Uniform(20, 300);
    const Point3 offset = Stored(OnCircle(plane, 0, 0, radius, shapes.Uniform(0, 360)));
    const Point3 centre = at + offset;
    const double a0 = AngleInPlane(centre - at, plane);
    const Point3 end = Stored(PointOnArc(centre, radius, a0 + (kind == K::ArcCw ? -sweep : sweep), plane));
    records.push_back(At(kind, end, 800));
    records.push_back(At(CentreKindOf(plane), offset));
    originals.push_back({plane, kind, centre, radius});
    // A straight move off the circle before the next arc.
    const double du = shapes.Uniform(5, 20);
    at = Stored(end + InPlane(plane, du, shapes.Uniform(5, 20)));
    records.push_back(At(K::FeedStart, at, 800));
  }
  ToolpathDatabase db;
  Fill(db, records);
  ASSERT_TRUE(RunArcConvert(db, {.direction = ArcConvertDirection::ArcsToLines}));
  ASSERT_EQ(ArcCount(db), 0);
  ASSERT_TRUE(RunArcConvert(
      db, {.direction = ArcConvertDirection::LinesToArcs, .planeXY = true, .planeYZ = true, .planeZX = true}));

  const std::vector<Arc> fitted = ArcsOf(db);
  int found = 0;
  for (const Original& o : originals) {
    const bool back = std::any_of(fitted.begin(), fitted.end(), [&o](const Arc& a) {
      return a.plane == o.plane && a.kind == o.kind && Length(a.centre - o.centre) < 0.02 &&
             std::fabs(a.radius - o.radius) < 0.02;
    });
    found += back;
    EXPECT_TRUE(back) << PlaneName(o.plane) << " " << MoveKindName(o.kind) << " R" << o.radius;
  }
  EXPECT_EQ(found, static_cast<int>(originals.size()));
}

TEST(ArcConvert, OnlyTheTickedPlanesInTheirOrderAfterTheFilter) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::FeedStart, 1, 0, 0), Rec(K::Feed, 2, 0, 0), Rec(K::Feed, 3, 0, 0),
            Rec(K::Feed, 3, 1, 0)});
  RecordedProgress progress;
  ASSERT_TRUE(RunArcConvert(db,
                            {.direction = ArcConvertDirection::LinesToArcs,
                             .filterFirst = true,
                             .filterTolerance = 0.001,
                             .planeXY = true,
                             .planeYZ = true,
                             .planeZX = false},
                            &progress));
  EXPECT_EQ(Records(db), (Lines{"1 0 0 0 0", "3 3 0 0 0", "4 3 1 0 0"})) << "filtered first";
  EXPECT_EQ(progress.texts, (Lines{" ", " "})) << "two planes, each clearing its text; too few records to report";

  std::vector<Point3> points;
  for (int i = 0; i < 150; ++i) points.push_back({static_cast<double>(i), 0, 0});
  Fill(db, FeedPath(points));
  progress.texts.clear();
  RunArcConvert(db, {.direction = ArcConvertDirection::LinesToArcs, .planeXY = true, .planeYZ = true, .planeZX = true},
                &progress);
  EXPECT_EQ(progress.texts, (Lines{" XY Plane processing (67.333)", " ", " ZX Plane processing (67.333)", " ",
                                   " YZ Plane processing (67.333)", " "}));
}

TEST(ArcConvert, ValuesOutOfRangeChangeNothing) {
  ToolpathDatabase db;
  AppendText(db, kArcProgram);
  const Lines before = Records(db);
  EXPECT_FALSE(RunArcConvert(db, {.arcTolerance = 0}));
  EXPECT_FALSE(RunArcConvert(db, {.direction = ArcConvertDirection::LinesToArcs, .maxArcPoints = 0}));
  EXPECT_EQ(Records(db), before);
}

}  // namespace
}  // namespace fendo
