#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "core/arc_rule.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "feed/arc_radius_feed.h"
#include "feed/ff_cut.h"
#include "feed/machine_condition_feed.h"
#include "feed/move_length_feed.h"
#include "feed/set_all_feeds.h"
#include "feed/window_feed_limits.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

using test::Describe;
using test::Fill;
using test::Rec;
using test::Records;
using K = MoveKind;
using Program = std::vector<ToolpathRecord>;

std::vector<int> Feeds(ToolpathDatabase& db) {
  std::vector<int> feeds;
  for (int i = 0; i < db.recordCount; ++i) feeds.push_back(db.RecordAt(i)->feed);
  return feeds;
}

// The feeds of the cutting moves, in order.
std::vector<int> CuttingFeeds(ToolpathDatabase& db) {
  std::vector<int> feeds;
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsCuttingKind(db.RecordAt(i)->kind)) feeds.push_back(db.RecordAt(i)->feed);
  }
  return feeds;
}

// The cutting records, described.
std::vector<std::string> CuttingRecords(ToolpathDatabase& db) {
  std::vector<std::string> cutting;
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsCuttingKind(db.RecordAt(i)->kind)) cutting.push_back(Describe(*db.RecordAt(i)));
  }
  return cutting;
}

Program WithFeed(Program records, int feed) {
  for (ToolpathRecord& r : records) {
    if (IsMotionKind(r.kind)) r.feed = feed;
  }
  return records;
}

Program Joined(std::initializer_list<Program> parts) {
  Program all;
  for (const Program& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::vector<std::string> Described(const Program& records) {
  std::vector<std::string> lines;
  for (const ToolpathRecord& r : records) lines.push_back(Describe(r));
  return lines;
}

// ---------------------------------------------------------------------------------------------
// Whole path feed

TEST(WholePathFeed, EveryMotionRecordTakesTheWholeFeedAndOthersAreLeftAlone) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50, 100), Rec(K::FeedStart, 0, 0, 0, 100), Rec(K::ArcCw, 10, 0, 0, 100),
            Rec(K::CentreXY, 5, 0, 0, 7), Rec(K::None, 1, 1, 1, 9)});
  ASSERT_TRUE(ChangeWholePathFeed(db, 750.9));
  EXPECT_EQ(db.workFeed, 750);
  EXPECT_EQ(Feeds(db), (std::vector<int>{750, 750, 750, 7, 9})) << "the centre and None records keep theirs";

  for (double refused : {0.0, 0.5, -300.0, 1000001.0, std::nan("")}) {
    EXPECT_FALSE(ChangeWholePathFeed(db, refused)) << refused;
    EXPECT_TRUE(CheckFeedValue(kWholePathFeedLabel, refused)) << refused;
  }
  EXPECT_EQ(db.workFeed, 750);
  EXPECT_EQ(Feeds(db), (std::vector<int>{750, 750, 750, 7, 9}));
}

// ---------------------------------------------------------------------------------------------
// Arc radius feed

// A 10 mm plunge, a 5 mm move, a 0.5 mm move into a half circle of the given radius (CCW, about
// (20 − radius, 0)) and a 0.5 mm move out of it, all at 1000.
Program ArcBetweenShortMoves(float radius) {
  const float end = 20 - 2 * radius;
  return {Rec(K::RapidStart, 25.5f, 0, 10, 1000), Rec(K::FeedStart, 25.5f, 0, 0, 1000),
          Rec(K::Feed, 20.5f, 0, 0, 1000),        Rec(K::Feed, 20, 0, 0, 1000),
          Rec(K::ArcCcw, end, 0, 0, 1000),        Rec(K::CentreXY, -radius, 0, 0),
          Rec(K::Feed, end - 0.5f, 0, 0, 1000)};
}

TEST(ArcRadiusFeed, ArcsInRangeGetTheirFeedAndShortNeighboursFollow) {
  struct Case {
    const char* what;
    ArcRadiusFeedOptions options;
    float radius;
    std::vector<int> feeds;  // rapid, 5 mm move, 0.5 mm move, arc, 0.5 mm move
  };
  // radius 5 with the defaults: ⌊(5 − 0.1)/19.9·300 + 200⌋ = 273.
  const Case cases[] = {
      {"defaults, short neighbours", {}, 5, {1000, 1000, 273, 273, 273}},
      {"r1 = r2 at the arc's radius gives f1", {.minRadius = 5, .maxRadius = 5}, 5, {1000, 1000, 200, 200, 200}},
      {"f1 = f2 gives f1 to every arc in range", {.minRadiusFeed = 400, .maxRadiusFeed = 400}, 5,
       {1000, 1000, 400, 400, 400}},
      {"an arc above r2 keeps its feed, and so do its neighbours", {}, 30, {1000, 1000, 1000, 1000, 1000}},
      {"an arc below r1 likewise", {.minRadius = 6}, 5, {1000, 1000, 1000, 1000, 1000}},
      {"a neighbour longer than s keeps its feed", {.distance = 0.1}, 5, {1000, 1000, 1000, 273, 1000}},
      {"a neighbour only lowers", {.minRadiusFeed = 1500, .maxRadiusFeed = 1500}, 5, {1000, 1000, 1000, 1500, 1000}},
      {"all feeds first", {.setAllFirst = true, .setAllFeed = 800}, 30, {800, 800, 800, 800, 800}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, ArcBetweenShortMoves(c.radius));
    ASSERT_TRUE(ChangeFeedsByArcRadius(db, c.options)) << c.what;
    std::vector<int> feeds = Feeds(db);
    feeds.erase(feeds.begin() + 5);  // the centre record
    feeds.erase(feeds.begin() + 1);  // the plunge
    EXPECT_EQ(feeds, c.feeds) << c.what;
  }
  ToolpathDatabase db;
  EXPECT_FALSE(ChangeFeedsByArcRadius(db, {.minRadius = 0.05}));
  EXPECT_EQ(CheckRanges(ArcRadiusFeedOptions{.setAllFeed = 1000001})->field, "setAllFeed");
}

// ---------------------------------------------------------------------------------------------
// Move length feed

TEST(MoveLengthFeed, OnlyRunsOfShortMovesChange) {
  // 0.3 mm with the defaults: ⌊(0.3 − 0.01)/0.49·300 + 200⌋ = 377.
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0.3f, 1000),
            Rec(K::FeedStart, 0, 0, 0, 1000),   // 0.3 mm after the rapid move, then a long move
            Rec(K::Feed, 5, 0, 0, 1000),        // 5 mm
            Rec(K::Feed, 5.3f, 0, 0, 1000),     // a single short move between long ones
            Rec(K::Feed, 10.3f, 0, 0, 1000),    // 5 mm
            Rec(K::Feed, 10.6f, 0, 0, 1000),    // two short moves in a row
            Rec(K::Feed, 10.9f, 0, 0, 1000),
            Rec(K::Feed, 15.9f, 0, 0, 1000),    // 5 mm
            Rec(K::Feed, 16.2f, 0, 0, 1000),    // short, before a rapid move
            Rec(K::RapidStart, 16.2f, 0, 50, 1000)});
  ASSERT_TRUE(ChangeFeedsByMoveLength(db, {}));
  EXPECT_EQ(Feeds(db), (std::vector<int>{1000, 1000, 1000, 1000, 1000, 377, 377, 1000, 1000, 1000}));

  ASSERT_TRUE(ChangeFeedsByMoveLength(db, {.minLength = 5, .minLengthFeed = 600, .maxLength = 5}));
  EXPECT_EQ(Feeds(db), (std::vector<int>{1000, 1000, 1000, 1000, 1000, 377, 377, 1000, 1000, 1000}))
      << "5 mm moves are never next to each other";
  ASSERT_TRUE(ChangeFeedsByMoveLength(db, {.minLength = 0.2, .maxLength = 6, .setAllFirst = true, .setAllFeed = 900}));
  for (int feed : CuttingFeeds(db)) EXPECT_LT(feed, 900) << "every move is in range and has one beside it";
  EXPECT_FALSE(ChangeFeedsByMoveLength(db, {.setAllFeed = 10001}));
}

// ---------------------------------------------------------------------------------------------
// Machine condition feed

TEST(MachineConditionFeed, BlockLengthCountsTheWordsOfTheBlock) {
  const ToolpathRecord origin = Rec(K::Feed, 0, 0, 0, 1000);
  struct Case {
    const char* what;
    ToolpathRecord record;
    double length;
    int characters;
  };
  const Case cases[] = {
      {"one axis: X12.500, 7 for the single axis, 2", Rec(K::Feed, 12.5f, 0, 0, 1000), 12.5, 16},
      {"two axes, a negative one, a G word", Rec(K::FeedStart, -12.5f, 3, 0, 1000), 12.9, 19},
      {"an arc with a new feed: X9 Y9 G3 F5 centre 14, 2", Rec(K::ArcCw, 1500, -200, 0, 1500), 1600, 42},
      {"a modal rapid carries no G word and no feed", Rec(K::Rapid, 0, 0, 50, 8000), 50, 16},
      {"a move too short to be sent", Rec(K::Feed, 0.00009f, 0, 0, 1000), 0.00009, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(BlockLength(origin, c.record, c.length), c.characters) << c.what;
}

TEST(MachineConditionFeed, OptionsBufferSizeAndLabel) {
  EXPECT_EQ(BufferSize({}), 5) << "Fanuc0M at the neutral weight";
  EXPECT_EQ(BufferSize({.cncWeight = 100}), 10);
  EXPECT_EQ(BufferSize({.machine = 2, .cncWeight = 75}), 45);
  EXPECT_EQ(BufferSize({.machine = 0, .cncWeight = 25}), 1);
  EXPECT_EQ(BufferSize({.cncWeight = 0}), 1) << "a weight of 0 would leave no buffer at all";
  EXPECT_EQ(CncWeightLabel(50), "<< CNC 가중치(0) >>");
  EXPECT_EQ(CncWeightLabel(0), "<< CNC 가중치(-50) >>");
  EXPECT_EQ(FindMachine("fanuc15m"), 2);
  EXPECT_EQ(FindMachine("Fanuc"), std::nullopt);
  EXPECT_EQ(CheckRanges(MachineFeedOptions{}), std::nullopt);
  EXPECT_EQ(CheckRanges(MachineFeedOptions{.baudRate = 1200})->field, "baudRate");
  EXPECT_EQ(CheckRanges(MachineFeedOptions{.machine = 12})->field, "machine");
  EXPECT_EQ(CheckRanges(MachineFeedOptions{.rapidFeed = 2999})->field, "rapidFeed");
  EXPECT_EQ(CheckRanges(MachineFeedOptions{.minFeed = 0, .feedUnit = 0}), std::nullopt);
}

// A plunge, then `count` moves of `step` mm along X, all at `feed`.
Program ShortMoves(int count, float step, int feed) {
  Program p{Rec(K::RapidStart, 0, 0, 5, feed), Rec(K::FeedStart, 0, 0, 0, feed)};
  for (int k = 1; k <= count; ++k) p.push_back(Rec(K::Feed, step * k, 0, 0, feed));
  return p;
}

double MeanCuttingFeed(ToolpathDatabase& db) {
  const std::vector<int> feeds = CuttingFeeds(db);
  return std::accumulate(feeds.begin(), feeds.end(), 0.0) / feeds.size();
}

TEST(MachineConditionFeed, ASlowLinkSlowsShortMovesFarMore) {
  ToolpathDatabase slow, fast;
  Fill(slow, ShortMoves(200, 0.05f, 5000));
  Fill(fast, ShortMoves(200, 0.05f, 5000));
  ASSERT_TRUE(ChangeFeedsByMachineCondition(slow, {.baudRate = 2400}));
  ASSERT_TRUE(ChangeFeedsByMachineCondition(fast, {.baudRate = 56800}));
  EXPECT_LT(MeanCuttingFeed(slow), 0.5 * MeanCuttingFeed(fast)) << MeanCuttingFeed(slow) << " " << MeanCuttingFeed(fast);
  EXPECT_EQ(MeanCuttingFeed(fast), 1000) << "at 56800 baud the link keeps up with F_max";
  for (ToolpathDatabase* db : {&slow, &fast}) {
    for (int feed : CuttingFeeds(*db)) {
      EXPECT_GE(feed, 300) << "never below F_min";
      EXPECT_LE(feed, 1000) << "never above F_max";
      EXPECT_EQ(feed % 50, 0) << "multiples of the feed unit";
    }
  }
}

TEST(MachineConditionFeed, SlowingNeverSpeedsAMoveUpAndAUnitOfZeroRoundsNothing) {
  ToolpathDatabase below;
  Fill(below, ShortMoves(50, 0.05f, 100));
  ASSERT_TRUE(ChangeFeedsByMachineCondition(below, {.baudRate = 2400, .setAllFirst = false}));
  for (int feed : CuttingFeeds(below)) EXPECT_EQ(feed, 100) << "a feed below F_min is not raised to it";

  ToolpathDatabase unrounded;
  Fill(unrounded, ShortMoves(50, 0.05f, 1000));
  ASSERT_TRUE(ChangeFeedsByMachineCondition(unrounded, {.baudRate = 2400, .minFeed = 0, .feedUnit = 0, .smooth = false}));
  const std::vector<int> feeds = CuttingFeeds(unrounded);
  EXPECT_TRUE(std::ranges::any_of(feeds, [](int f) { return f % 50 != 0; })) << "slowed feeds are not rounded";
  for (int feed : feeds) EXPECT_GE(feed, 1);
}

TEST(MachineConditionFeed, ZeroFeedsAndZeroLengthsDivideNothing) {
  const Program program = {Rec(K::RapidStart, 0, 0, 5, 0),  Rec(K::FeedStart, 0, 0, 0, 0),   // a feed of 0
                           Rec(K::Feed, 0, 0, 0, 600),       Rec(K::Feed, 0.05f, 0, 0, 600),  // no length
                           Rec(K::Feed, 0.1f, 0, 0, 0),      Rec(K::ArcCw, 0.3f, 0, 0, 600),
                           Rec(K::CentreXY, 0.1f, 0, 0),     Rec(K::Feed, 0.35f, 0, 0, 600)};
  for (int unit : {0, 50}) {
    ToolpathDatabase db;
    Fill(db, program);
    ASSERT_TRUE(ChangeFeedsByMachineCondition(db, {.baudRate = 2400, .minFeed = 0, .feedUnit = unit, .setAllFirst = false}));
    const std::vector<int> feeds = CuttingFeeds(db);
    for (std::size_t k = 0; k < feeds.size(); ++k) {
      const bool hadNoFeed = k == 0 || k == 3;
      if (unit == 0 && hadNoFeed) {
        EXPECT_EQ(feeds[k], 0) << "a move without a feed is left as it is";
      } else {
        EXPECT_GT(feeds[k], 0) << "unit " << unit << ", move " << k;
      }
    }
  }
}

TEST(MachineConditionFeed, SmoothingSharesDipsAndStepsAndRunsThePassTwice) {
  // Long moves the link keeps up with: only the smoothing changes feeds.
  const Program program = {Rec(K::RapidStart, 0, 0, 5, 1000), Rec(K::FeedStart, 0, 0, 0, 1000),
                           Rec(K::Feed, 10, 0, 0, 1000), Rec(K::Feed, 20, 0, 0, 500), Rec(K::Feed, 30, 0, 0, 1000)};
  ToolpathDatabase plain;
  Fill(plain, program);
  ASSERT_TRUE(ChangeFeedsByMachineCondition(plain, {.baudRate = 56800, .smooth = false, .setAllFirst = false}));
  EXPECT_EQ(CuttingFeeds(plain), (std::vector<int>{1000, 1000, 500, 1000}));

  // First pass: the dip at 500 shares with the move before it (650); the steps then share
  // plunge and first move (750) and the first and second move (700). The second pass shares
  // the step from the plunge once more: 700.
  ToolpathDatabase smoothed;
  Fill(smoothed, program);
  ASSERT_TRUE(ChangeFeedsByMachineCondition(smoothed, {.baudRate = 56800, .setAllFirst = false}));
  EXPECT_EQ(CuttingFeeds(smoothed), (std::vector<int>{700, 700, 700, 1000}));
}

// ---------------------------------------------------------------------------------------------
// Window and polygon feed limits

// The top view with 10 pixels a millimetre: model (x, y) is client (10x + 200, 200 − 10y).
ViewState TopView() { return {.angleA = 0, .angleB = 0, .angleC = 0, .scale = 10, .clientWidth = 400, .clientHeight = 400}; }
ClientPoint Client(double x, double y) { return {10 * x + 200, 200 - 10 * y}; }

// The window between model corners (x0, y0) and (x1, y1) in the top view.
std::array<ClientPoint, 4> ModelWindow(double x0, double y0, double x1, double y1) {
  return WindowPolygon(Client(x0, y0), Client(x1, y1));
}

Program StraightPath(std::vector<float> xs, int feed) {
  Program p{Rec(K::RapidStart, xs.front(), 0, 50, feed), Rec(K::Rapid, xs.front(), 0, 2, feed),
            Rec(K::FeedStart, xs.front(), 0, -1, feed)};
  for (std::size_t k = 1; k < xs.size(); ++k) p.push_back(Rec(K::Feed, xs[k], 0, -1, feed));
  p.push_back(Rec(K::RapidStart, xs.back(), 0, 50, feed));
  return p;
}

TEST(WindowFeedLimits, MovesAreSplitWhereThePathEntersAndLeaves) {
  struct Case {
    const char* what;
    std::vector<float> xs;
    FeedLimit limit;
    int pathFeed;
    std::vector<std::string> cutting;  // the cutting records after the change
  };
  const Case cases[] = {
      {"maximum 300 on a path at 1000", {0, 50, 100}, FeedLimit::Maximum, 1000,
       {"3 0 0 -1 1000", "4 40 0 -1 1000", "4 50 0 -1 300", "4 60 0 -1 300", "4 100 0 -1 1000"}},
      {"one move through the whole window", {0, 100}, FeedLimit::Maximum, 1000,
       {"3 0 0 -1 1000", "4 40 0 -1 1000", "4 60 0 -1 300", "4 100 0 -1 1000"}},
      {"minimum 300 on a path at 100", {0, 50, 100}, FeedLimit::Minimum, 100,
       {"3 0 0 -1 100", "4 40 0 -1 100", "4 50 0 -1 300", "4 60 0 -1 300", "4 100 0 -1 100"}},
      {"a minimum below the feed changes nothing and splits nothing", {0, 50, 100}, FeedLimit::Minimum, 1000,
       {"3 0 0 -1 1000", "4 50 0 -1 1000", "4 100 0 -1 1000"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    db.safeZ = 50;
    Fill(db, StraightPath(c.xs, c.pathFeed));
    ASSERT_TRUE(FeedLimitInPolygon(db, ModelWindow(40, -10, 60, 10), TopView(), 300, c.limit)) << c.what;
    EXPECT_EQ(CuttingRecords(db), c.cutting) << c.what;
    EXPECT_EQ(Describe(*db.RecordAt(db.recordCount - 1)), "1 100 0 50 " + std::to_string(c.pathFeed))
        << c.what << ": the retract stays";
  }
}

TEST(WindowFeedLimits, AConcavePolygonLimitsOnlyWhatLiesInside) {
  // A U opening upwards: a move along y = 5 from x = 0 to 30 runs in the left arm, out over the
  // gap and in the right arm, with both of its ends inside.
  const std::vector<ClientPoint> u = {Client(-5, -5), Client(35, -5), Client(35, 10), Client(25, 10),
                                      Client(25, 0),  Client(5, 0),   Client(5, 10),  Client(-5, 10)};
  ToolpathDatabase db;
  db.safeZ = 50;
  Fill(db, {Rec(K::RapidStart, 0, 5, 50, 1000), Rec(K::FeedStart, 0, 5, 0, 1000), Rec(K::Feed, 30, 5, 0, 1000),
            Rec(K::RapidStart, 30, 5, 50, 1000)});
  ASSERT_TRUE(FeedLimitInPolygon(db, u, TopView(), 300, FeedLimit::Maximum));
  EXPECT_EQ(CuttingRecords(db), (std::vector<std::string>{"3 0 5 0 300", "4 5 5 0 300", "4 25 5 0 1000", "4 30 5 0 300"}));
}

// The arcs of the buffer, each measured by the arc rule from the records as stored.
std::vector<std::pair<Arc, int>> StoredArcs(ToolpathDatabase& db) {
  std::vector<std::pair<Arc, int>> arcs;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!IsArcKind(db.RecordAt(i)->kind)) continue;
    EXPECT_TRUE(IsCentreKind(db.RecordAt(i + 1)->kind)) << "every arc keeps a centre record behind it";
    arcs.emplace_back(ArcGeometry(db, i), db.RecordAt(i)->feed);
  }
  return arcs;
}

TEST(WindowFeedLimits, ArcsAreSplitIntoArcsAboutTheSameCentre) {
  struct Case {
    const char* what;
    MoveKind kind;
    float endZ;                 // a helix when not 0
    std::vector<double> splitX; // where the parts end, but the last
    std::vector<int> feeds;
  };
  // A half circle of radius 10 about the origin from (10, 0) to (−10, 0), over the top (CCW) or
  // under the bottom (CW); the window covers x from −20 to 2.
  const Case cases[] = {
      {"counter-clockwise", K::ArcCcw, 0, {2}, {1000, 300}},
      {"clockwise", K::ArcCw, 0, {2}, {1000, 300}},
      {"a helix climbing 4 mm", K::ArcCcw, 4, {2}, {1000, 300}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    db.safeZ = 50;
    Fill(db, {Rec(K::RapidStart, 10, 0, 50, 1000), Rec(K::FeedStart, 10, 0, 0, 1000),
              Rec(c.kind, -10, 0, c.endZ, 1000), Rec(K::CentreXY, -10, 0, 0), Rec(K::RapidStart, -10, 0, 50, 1000)});
    const Arc whole = ArcGeometry(db, 2);
    ASSERT_TRUE(FeedLimitInPolygon(db, ModelWindow(-20, -20, 2, 20), TopView(), 300, FeedLimit::Maximum)) << c.what;
    const std::vector<std::pair<Arc, int>> arcs = StoredArcs(db);
    ASSERT_EQ(arcs.size(), c.feeds.size()) << c.what;
    double sweep = 0;
    double length = 0;
    for (std::size_t k = 0; k < arcs.size(); ++k) {
      const Arc& part = arcs[k].first;
      EXPECT_EQ(arcs[k].second, c.feeds[k]) << c.what << ", part " << k;
      EXPECT_EQ(part.kind, c.kind);
      EXPECT_NEAR(part.radius, 10, 1e-4) << c.what << ", part " << k;
      EXPECT_NEAR(std::hypot(part.centre.x - whole.centre.x, part.centre.y - whole.centre.y), 0, 1e-4)
          << c.what << ", part " << k;
      EXPECT_GT(part.sweep, 0);
      EXPECT_LT(part.sweep, 180);
      if (k + 1 < arcs.size()) {
        EXPECT_NEAR(part.end.x, c.splitX[k], 0.01) << c.what << ", part " << k;
      }
      sweep += part.sweep;
      length += part.length;
    }
    EXPECT_NEAR(sweep, 180, 1e-3) << c.what;
    EXPECT_NEAR(length, whole.length, 1e-3) << c.what;
    EXPECT_EQ(arcs.front().first.start, whole.start);
    EXPECT_EQ(arcs.back().first.end, whole.end);
  }
}

TEST(WindowFeedLimits, FullCirclesAndArcsInsideOrOutside) {
  const auto limit = [](MoveKind kind, std::array<ClientPoint, 4> window) {
    auto db = std::make_unique<ToolpathDatabase>();
    db->safeZ = 50;
    Fill(*db, {Rec(K::RapidStart, 10, 0, 50, 1000), Rec(K::FeedStart, 10, 0, 0, 1000), Rec(kind, 10, 0, 0, 1000),
               Rec(K::CentreXY, -10, 0, 0), Rec(K::RapidStart, 10, 0, 50, 1000)});
    EXPECT_TRUE(FeedLimitInPolygon(*db, window, TopView(), 300, FeedLimit::Maximum));
    return db;
  };
  // A full circle crossing the window's left edge twice: three parts, the middle one inside.
  auto crossed = limit(K::ArcCcw, ModelWindow(5, -20, 20, 20));
  const std::vector<std::pair<Arc, int>> parts = StoredArcs(*crossed);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].second, 300);
  EXPECT_EQ(parts[1].second, 1000);
  EXPECT_EQ(parts[2].second, 300);
  double sweep = 0;
  for (const auto& [part, feed] : parts) sweep += part.sweep;
  EXPECT_NEAR(sweep, 360, 1e-3);

  auto inside = limit(K::ArcCw, ModelWindow(-30, -30, 30, 30));
  EXPECT_EQ(StoredArcs(*inside).size(), 1u);
  EXPECT_EQ(StoredArcs(*inside).front().second, 300);
  auto outside = limit(K::ArcCw, ModelWindow(40, -30, 60, 30));
  EXPECT_EQ(StoredArcs(*outside).size(), 1u);
  EXPECT_EQ(StoredArcs(*outside).front().second, 1000);
}

TEST(WindowFeedLimits, RefusesFeedsOutOfRangeAndTakesNoPolygonOfTwoVertices) {
  ToolpathDatabase db;
  Fill(db, StraightPath({0, 100}, 1000));
  const std::vector<std::string> before = Records(db);
  EXPECT_FALSE(FeedLimitInPolygon(db, ModelWindow(40, -10, 60, 10), TopView(), 0, FeedLimit::Maximum));
  const ClientPoint line[] = {Client(0, 0), Client(100, 0)};
  EXPECT_TRUE(FeedLimitInPolygon(db, line, TopView(), 300, FeedLimit::Maximum));
  EXPECT_EQ(Records(db), before);
}

TEST(WindowFeedLimits, TheRectangleChecks) {
  test::ScriptedPrompts prompts;
  prompts.okAnswers = {true, false};
  EXPECT_EQ(CheckFeedWindow({-1, 10}, {50, 50}, prompts), FeedWindowCheck::End) << "OK ends the command";
  EXPECT_EQ(CheckFeedWindow({10, 10}, {50, -3}, prompts), FeedWindowCheck::PickAgain) << "Cancel picks again";
  EXPECT_EQ(prompts.messages, (std::vector<std::string>(2, "Error message: Feed 변경 작업을 취소 하겠습니까?")));
  EXPECT_EQ(CheckFeedWindow({10, 10}, {11.5, 50}, prompts), FeedWindowCheck::End);
  EXPECT_EQ(CheckFeedWindow({10, 10}, {50, 11}, prompts), FeedWindowCheck::End);
  EXPECT_EQ(CheckFeedWindow({50, 50}, {10, 10}, prompts), FeedWindowCheck::Apply);
  EXPECT_EQ(prompts.messages.size(), 2u);
}

// ---------------------------------------------------------------------------------------------
// FF CUT

// A program in the standard form: a start above the origin, then `paths` paths, each a
// traverse, an approach, a plunge, two cuts and a retract; path k lies at x = 20k.
Program StartPosition() { return {Rec(K::RapidStart, 0, 0, 50, 500)}; }
Program StandardPath(int k) {
  const float x = 20.0f * k;
  return {Rec(K::Rapid, x, 0, 50, 500),       Rec(K::Rapid, x, 0, 2, 500),       Rec(K::FeedStart, x, 0, -1, 500),
          Rec(K::Feed, x, 10, -1, 500),       Rec(K::Feed, x + 5, 10, -1, 500),  Rec(K::RapidStart, x + 5, 10, 50, 500)};
}

TEST(FfCut, OddPathsAtTheFirstFeedThenEvenPathsAtTheSecond) {
  ToolpathDatabase db;
  Fill(db, Joined({StartPosition(), StandardPath(0), StandardPath(1), StandardPath(2)}));
  ASSERT_TRUE(FfCut(db, {}));
  EXPECT_EQ(Records(db), Described(Joined({WithFeed(Joined({StartPosition(), StandardPath(0), StandardPath(2)}), 1000),
                                           WithFeed(Joined({StartPosition(), StandardPath(1)}), 2000)})));
  EXPECT_EQ(db.layers[0].pointCount(), db.recordCount) << "the work layer holds the result";
  EXPECT_EQ(db.layers[100].pointCount(), 0) << "the scratch layers are emptied";
  EXPECT_EQ(db.layers[101].pointCount(), 0);
}

TEST(FfCut, TheEvenPathsCanGoToAnotherLayer) {
  ToolpathDatabase db;
  Fill(db, Joined({StartPosition(), StandardPath(0)}));
  db.SaveToLayer(0);
  db.layers[0].toolNumber = 7;
  db.layers.workLayer = 3;
  Fill(db, Joined({StartPosition(), StandardPath(1), StandardPath(2), StandardPath(3), StandardPath(4)}));
  ASSERT_TRUE(FfCut(db, {.firstFeed = 800, .secondToLayer = true, .secondLayer = 0}));
  EXPECT_EQ(Records(db), Described(WithFeed(Joined({StartPosition(), StandardPath(1), StandardPath(3)}), 800)));
  db.LoadFromLayer(0);
  EXPECT_EQ(Records(db), Described(Joined({StartPosition(), StandardPath(0),
                                           WithFeed(Joined({StartPosition(), StandardPath(2), StandardPath(4)}), 2000)})));
  EXPECT_EQ(db.layers[0].toolNumber, 7) << "appending keeps the target's header";
}

TEST(FfCut, CountsPathsAsReadWithAGWordOnEveryRapidBlock) {
  ToolpathDatabase db;
  AppendText(db,
             "G00 X0 Y0 Z50\nG01 Z-1 F500\nY10\n"
             "G00 Z50\nG00 X20 Y0\nG00 Z2\nG01 Z-1\nY10\n"
             "G00 Z50\nG00 X40 Y0\nG00 Z2\nG01 Z-1\nY10\nG00 Z50\n");
  ASSERT_TRUE(FfCut(db, {}));
  // Each path with the rapid moves that lead to it; the even path follows the odd ones.
  EXPECT_EQ(CuttingRecords(db), (std::vector<std::string>{"3 0 0 -1 1000", "4 0 10 -1 1000", "3 40 0 -1 1000", "4 40 10 -1 1000",
                                               "3 20 0 -1 2000", "4 20 10 -1 2000"}));
  for (int i = 1; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->kind != K::FeedStart) continue;
    const ToolpathRecord before = *db.RecordAt(i - 1);
    EXPECT_TRUE(IsRapidKind(before.kind) && before.x == db.RecordAt(i)->x && before.y == db.RecordAt(i)->y)
        << "record " << i << ": every path is entered from above its start";
  }
}

TEST(FfCut, AProgramWithoutEvenPathsKeepsItsOddOnes) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::FeedStart, 0, 0, -1, 500), Rec(K::Feed, 0, 10, -1, 500)});
  ASSERT_TRUE(FfCut(db, {.firstFeed = 900}));
  EXPECT_EQ(Records(db), (std::vector<std::string>{"3 0 0 -1 900", "4 0 10 -1 900"}));
}

TEST(FfCut, RefusesOutOfRangeValuesWithNothingChanged) {
  ToolpathDatabase db;
  Fill(db, Joined({StartPosition(), StandardPath(0), StandardPath(1)}));
  const std::vector<std::string> before = Records(db);
  EXPECT_FALSE(FfCut(db, {.secondToLayer = true, .secondLayer = 100}));
  EXPECT_FALSE(FfCut(db, {.secondFeed = 0}));
  EXPECT_EQ(Records(db), before);
  EXPECT_EQ(CheckRanges(FfCutOptions{.firstFeed = 100001})->label, "1차 공구경로 feed");
}

// ---------------------------------------------------------------------------------------------
// fendo-batch feed

using test::Batch;
using test::BatchRun;
using test::ReadFile;
using test::TempDir;

std::string Bracket() { return test::Example("bracket.nc").string(); }

TEST(BatchFeed, RunsExactlyOneFeedChangeAndWritesTheResult) {
  TempDir dir;
  const std::string out = (dir.path() / "out.nc").string();
  const auto run = [&](std::vector<std::string> flags) {
    std::vector<std::string> args = {"feed", Bracket(), "-o", out, "--yes"};
    args.insert(args.end(), flags.begin(), flags.end());
    return Batch(args);
  };
  ASSERT_EQ(run({"--all", "700"}).status, 0);
  EXPECT_NE(ReadFile(out).find("F700"), std::string::npos);
  EXPECT_EQ(ReadFile(out).find("F1800"), std::string::npos);
  ASSERT_EQ(run({"--by-arc", "--min-radius", "1", "--max-radius", "17", "--set-all", "1200"}).status, 0);
  EXPECT_NE(ReadFile(out).find("F200"), std::string::npos) << "the 1 mm corners of the pocket";
  ASSERT_EQ(run({"--by-length", "--max-length", "2"}).status, 0);
  ASSERT_EQ(run({"--machine", "fanuc15m", "--baud", "2400", "--weight", "0", "--unit", "0"}).status, 0);
  EXPECT_NE(ReadFile(out).find("F1000"), std::string::npos);
  ASSERT_EQ(run({"--ff-cut", "--first-feed", "900", "--second-feed", "1900"}).status, 0);
  const std::string ffCut = ReadFile(out);
  EXPECT_LT(ffCut.find("F900"), ffCut.find("F1900")) << "the second feed follows the first";
  ASSERT_EQ(run({"--ff-cut", "--second-layer", "4"}).status, 0);
  const std::string layers = ReadFile(out);
  EXPECT_NE(layers.find("(FACE TOP)", layers.find("(FACE TOP)") + 1), std::string::npos)
      << "layers 0 and 4 are written, each with its comment";
}

TEST(BatchFeed, RefusesMistakesWithStatusTwo) {
  TempDir dir;
  const std::string out = (dir.path() / "out.nc").string();
  struct Case {
    std::vector<std::string> flags;
    const char* message;
  };
  const Case cases[] = {
      {{}, "exactly one"},
      {{"--all", "500", "--ff-cut"}, "exactly one"},
      {{"--all", "0"}, "feed (변경할 피드) must lie between 1 and 1000000, not 0"},
      {{"--by-arc", "--baud", "2400"}, "--baud belongs to --machine"},
      {{"--by-arc", "--min-radius", "0"}, "minRadius (최소 반경) must lie between 0.1 and 100000"},
      {{"--by-length", "--set-all", "10001"}, "setAllFeed"},
      {{"--machine", "Haas"}, "--machine takes one of Machine0, Fanuc0M"},
      {{"--machine", "Fanuc0M", "--baud", "1200"}, "baudRate (전송속도) must be one of 2400, 4800"},
      {{"--machine", "Fanuc0M", "--weight", "101"}, "cncWeight"},
      {{"--ff-cut", "--second-layer", "100"}, "secondLayer"},
      {{"--ff-cut", "--first-feed", "9.5"}, "--first-feed takes a whole number"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"feed", Bracket(), "-o", out};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out)) << "nothing is written after a mistake";
}

}  // namespace
}  // namespace fendo
