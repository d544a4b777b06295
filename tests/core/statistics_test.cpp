#include <gtest/gtest.h>

#include <cmath>

#include "core/nc_reader.h"
#include "core/path_length.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

constexpr double kArcPi = 3.1415901184082031;

TEST(Statistics, CuttingTimeIsLengthOverFeed) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 10), Rec(K::FeedStart, 100, 0, 10, 1000),
            Rec(K::Feed, 100, 100, 10, 500), Rec(K::Feed, 100, 110, 10, 0), Rec(K::RapidStart, 100, 110, 60)});
  ComputeStatistics(db);
  const ToolpathStatistics& s = db.statistics;
  EXPECT_EQ(s.highestFeed, 1000);
  EXPECT_DOUBLE_EQ(s.feedLength, 210) << "a move without feed still counts its length";
  EXPECT_DOUBLE_EQ(s.cuttingTime, 0.1 + 0.2) << "but takes no time";
  EXPECT_DOUBLE_EQ(s.rapidLength, 40 + 50);
  EXPECT_EQ(s.feedExtents.min, (Point3{0, 0, 10})) << "a path starts where its approach ends";
  EXPECT_EQ(s.feedExtents.max, (Point3{100, 110, 10}));
  EXPECT_EQ(s.rapidExtents.min, (Point3{0, 0, 10}));
  EXPECT_EQ(s.rapidExtents.max, (Point3{100, 110, 60}));
  EXPECT_EQ(db.boundingBox.max, s.feedExtents.max);
}

TEST(Statistics, EmptyAndArcOnlyProgramsHaveEmptyFeedExtents) {
  ToolpathDatabase empty;
  ComputeStatistics(empty);
  EXPECT_EQ(empty.statistics.feedExtents.min, (Point3{10000, 10000, 10000}));
  EXPECT_EQ(empty.statistics.rapidExtents.max, (Point3{-10000, -10000, -10000}));
  EXPECT_EQ(empty.statistics.feedLength, 0);

  ToolpathDatabase arcs;
  AppendText(arcs, "G00 X10 Y0\nG03 X-10 Y0 I-10 J0 F100\n");
  ComputeStatistics(arcs);
  EXPECT_TRUE(arcs.statistics.feedExtents.empty()) << "arcs stay out of the extents";
  EXPECT_NEAR(arcs.statistics.feedLength, PathLength(arcs), 1e-9);
}

// Arcs count along their length, at their feed; the line after an arc starts at its end, not
// where the last line ended. The optimizer's estimate is the same sum.
TEST(Statistics, ArcsCountTheirLengthAndTime) {
  ToolpathDatabase db;
  AppendText(db,
             "G00 X10 Y0 Z5\nG01 Z0 F100\n"
             "G03 X-10 Y0 I-10 J0 F200\n"        // a half circle of radius 10
             "G02 X-10 Y0 Z-2 I10 J0 F400\n"     // a helical full turn down 2
             "G01 X-10 Y-5 F100\n");
  ComputeStatistics(db);
  const double half = 10 * kArcPi;
  const double helix = std::hypot(20 * kArcPi, 2.0);
  EXPECT_NEAR(db.statistics.feedLength, 5 + half + helix + 5, 1e-6);
  EXPECT_NEAR(db.statistics.cuttingTime, 5.0 / 100 + half / 200 + helix / 400 + 5.0 / 100, 1e-9);
  EXPECT_DOUBLE_EQ(MeasureStatistics(db).cuttingTime, db.statistics.cuttingTime);
}

TEST(Statistics, BoundingBoxSkipsApproachesAboveStraightPlunges) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 5, 5, 0),
            Rec(K::RapidStart, 5, 5, 30), Rec(K::Rapid, 9, 9, 30), Rec(K::FeedStart, 10, 9, 0)});
  BoundingBox(db);
  EXPECT_EQ(db.boundingBox.min, (Point3{0, 0, 0}));
  EXPECT_EQ(db.boundingBox.max, (Point3{10, 9, 30})) << "the slanted approach from (9, 9, 30) counts";

  ToolpathDatabase rapidsOnly;
  Fill(rapidsOnly, {Rec(K::RapidStart, 1, 1, 1), Rec(K::Rapid, 2, 2, 2)});
  BoundingBox(rapidsOnly);
  EXPECT_TRUE(rapidsOnly.boundingBox.empty());
}

TEST(PathLength, SumsLinesAndArcsInAnyRange) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y-5\nG01 Y0 F100\nX10\nG03 X10 Y20 I0 J10\nG01 X0\nG00 Z10\n");
  const double quarterToHalf = 10 * kArcPi;
  EXPECT_NEAR(PathLength(db), 5 + 10 + quarterToHalf + 10, 1e-9);
  EXPECT_NEAR(db.pathLength, PathLength(db), 0);
  EXPECT_NEAR(RangeLength(db, 2, 4), 10 + quarterToHalf, 1e-9) << "from the record before 2 to the arc";
  EXPECT_NEAR(ArcLength(db, 3), quarterToHalf, 1e-9);
}

TEST(Statistics, ExtremesOfFeedsAndHeights) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 40), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::Feed, 3, 4, 0, 900),
            Rec(K::Feed, 3, 4, -20, 100), Rec(K::ArcCw, 0, 0, 0, 5000), Rec(K::CentreXY, 0, 0, 0)});
  EXPECT_EQ(MaxFeed(db), 900) << "arcs do not count";
  EXPECT_EQ(MaxRapidZ(db), 40);
  EXPECT_EQ(LongestSegment(db), 5) << "the 20 mm plunge is left out";
  ToolpathDatabase noRapids;
  Fill(noRapids, {Rec(K::FeedStart, 0, 0, 0)});
  EXPECT_EQ(MaxRapidZ(noRapids), -9999);
}

TEST(AfterLoadSteps, TakeFeedHeightAndPathFromTheProgram) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z25\nG01 Z0 F800\nX10 F1200\nG00 Z30\n");
  ASSERT_TRUE(RunAfterLoadSteps(db, "/tmp/part.nc"));
  EXPECT_EQ(db.workFeed, 1200);
  EXPECT_EQ(db.safeZ, 30);
  EXPECT_EQ(db.layers[0].fileName, "/tmp/part.nc");
  EXPECT_EQ(db.layers[0].pointCount(), db.recordCount);

  ToolpathDatabase feedsOnly;
  AppendText(feedsOnly, "G01 X10 F0\n");
  RunAfterLoadSteps(feedsOnly, "/tmp/x.nc");
  EXPECT_EQ(feedsOnly.workFeed, 300) << "no feed to take over";
  EXPECT_EQ(feedsOnly.safeZ, 100) << "no rapid height to take over";
}

}  // namespace
}  // namespace fendo
