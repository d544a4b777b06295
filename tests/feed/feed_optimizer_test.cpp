#include "feed/feed_optimizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "feed/optimizer_passes.h"
#include "feed/optimizer_run.h"
#include "feed/transfer_rules.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

using K = MoveKind;
using Lines = std::vector<std::string>;

QelPoint Pt(K kind, double x, double y, double z) {
  QelPoint p;
  p.x = x;
  p.y = y;
  p.z = z;
  p.kind = kind;
  return p;
}

std::string Describe(const QelPoint& p) {
  return std::to_string(static_cast<int>(p.kind)) + ' ' + test::Coordinate(static_cast<float>(p.x)) + ' ' +
         test::Coordinate(static_cast<float>(p.y)) + ' ' + test::Coordinate(static_cast<float>(p.z)) + ' ' +
         std::to_string(p.feed);
}

Lines Describe(const std::vector<QelPoint>& points) {
  Lines lines;
  for (const QelPoint& p : points) lines.push_back(Describe(p));
  return lines;
}

// The machine of the worked examples: the default condition with the feed unit 10.
MachineCondition Machine() {
  MachineCondition m;
  m.feedUnit = 10;
  return m;
}

Lines Optimize(const std::vector<QelPoint>& points, const MachineCondition& machine = Machine()) {
  OptimizerSlot slot;
  return Describe(RunEngine(points, machine, slot, nullptr));
}

// A 90° corner in XY between two 20 mm cuts, with the approach and the retract.
std::vector<QelPoint> RightAngle() {
  return {Pt(K::RapidStart, 0, 0, 10), Pt(K::Rapid, 0, 0, 0), Pt(K::FeedStart, 20, 0, 0), Pt(K::Feed, 20, 20, 0),
          Pt(K::RapidStart, 20, 20, 10)};
}

TEST(FeedOptimizer, ARightAngleSlowsToTheReducedFeedOverOneSafetyDistanceEachSide) {
  EXPECT_EQ(Optimize(RightAngle()), (Lines{"1 0 0 10 1000", "2 0 0 0 1000",
                                           "3 15 0 0 1000", "4 20 0 0 100",   // decelerate over the last 5 mm
                                           "4 20 5 0 100", "4 20 20 0 1000",  // accelerate over the first 5
                                           "1 20 20 10 1000"}));
}

TEST(FeedOptimizer, SmoothFeedChangesStepTheZones) {
  MachineCondition machine = Machine();
  machine.feedChgSmoothCheck = 1;
  // A zone of exactly 5 mm takes 2 × 5 + 1 steps; the first cut of a path is never divided.
  const Lines smooth = Optimize(RightAngle(), machine);
  ASSERT_EQ(smooth.size(), 5u + 1 + 11);
  EXPECT_EQ(smooth[2], "3 15 0 0 1000");
  EXPECT_EQ(smooth[4], "4 20 0.45455 0 181");  // 100 + 900 × 1/11
  EXPECT_EQ(smooth[14], "4 20 5 0 1000");
  EXPECT_EQ(smooth[15], "4 20 20 0 1000");

  // Longer zones take ten steps.
  machine.safetyDistance = 8;
  EXPECT_EQ(Optimize(RightAngle(), machine).size(), 5u + 1 + 10);
}

TEST(FeedOptimizer, WithoutCornersOrSlopesNothingSlowsAndNoPointIsAdded) {
  std::vector<QelPoint> straight = {Pt(K::RapidStart, 0, 0, 5), Pt(K::Rapid, 0, 0, 0)};
  for (int i = 1; i <= 50; ++i) straight.push_back(Pt(i == 1 ? K::FeedStart : K::Feed, 0.3 * i, 0, 0));
  straight.push_back(Pt(K::RapidStart, 15, 0, 5));
  const Lines result = Optimize(straight);
  ASSERT_EQ(result.size(), straight.size());
  for (const std::string& line : result) EXPECT_TRUE(line.ends_with(" 1000")) << line;

  // Rapid moves keep their geometry and take the maximum feed; nothing at all gives nothing.
  EXPECT_EQ(Optimize({Pt(K::RapidStart, 1, 2, 3), Pt(K::Rapid, 4, 5, 6)}), (Lines{"1 1 2 3 1000", "2 4 5 6 1000"}));
  EXPECT_TRUE(Optimize({}).empty());
}

// The feed at the end of a described point.
int FeedOf(const std::string& line) { return std::stoi(line.substr(line.rfind(' ') + 1)); }

TEST(FeedOptimizer, SlopesSlowWithTheirAngleAndPlungesTakeThePlungeFeed) {
  MachineCondition machine = Machine();
  machine.conCorChk = 0;  // no slowing where the path turns down
  machine.upDownChk = 0;
  machine.plungeFeed = 200;
  // A plunge, then a descent 10 mm across and `depth` down.
  const auto descent = [&](double depth) {
    return Optimize({Pt(K::RapidStart, 0, 0, 10), Pt(K::FeedStart, 0, 0, 0), Pt(K::Feed, 10, 0, -depth),
                     Pt(K::RapidStart, 10, 0, 10)},
                    machine);
  };
  // At 45° the side weights give 730 − 12 × 15 = 550; at 80°, 370 − 9 × 20 = 190.
  EXPECT_EQ(descent(10), (Lines{"1 0 0 10 1000", "3 0 0 0 200", "4 10 0 -10 550", "1 10 0 10 1000"}));
  EXPECT_EQ(FeedOf(descent(10 * std::tan(80 * std::numbers::pi / 180))[2]), 190);

  // Descending moves take the Z share, never below the reduced slope feed.
  machine.upDownChk = 1;
  machine.zupZdown = 0.5f;
  EXPECT_EQ(descent(10), (Lines{"1 0 0 10 1000", "3 0 0 0 100", "4 10 0 -10 270", "1 10 0 10 1000"}));
  EXPECT_EQ(FeedOf(descent(57)[2]), 100);

  // A plunge feed above the maximum feed is held to it.
  machine.upDownChk = 0;
  machine.plungeFeed = 5000;
  EXPECT_EQ(descent(10)[1], "3 0 0 0 1000");
}

TEST(FeedOptimizer, AMoveWhoseZonesCoverMostOfItRunsAtTheZoneFeed) {
  // Two right angles 11 mm apart: 5 mm zones at both ends take 45 % + 45 % of the middle move.
  const Lines result = Optimize({Pt(K::RapidStart, 0, 0, 5), Pt(K::Rapid, 0, 0, 0), Pt(K::FeedStart, 20, 0, 0),
                                 Pt(K::Feed, 20, 11, 0), Pt(K::Feed, 40, 11, 0), Pt(K::RapidStart, 40, 11, 5)});
  EXPECT_EQ(result, (Lines{"1 0 0 5 1000", "2 0 0 0 1000", "3 15 0 0 1000", "4 20 0 0 100", "4 20 11 0 100",
                           "4 25 11 0 100", "4 40 11 0 1000", "1 40 11 5 1000"}));
}

TEST(FeedOptimizer, TightArcsSlowAndSpreadTheirFeedOverTheMovesBesideThem) {
  // A quarter circle of radius 12 joined on its tangents. The move into it also meets the
  // 45° turn to the arc's end point: 550 over its last 5 mm.
  std::vector<QelPoint> arc = {Pt(K::RapidStart, 0, 0, 5), Pt(K::Rapid, 0, 0, 0), Pt(K::FeedStart, 20, 0, 0),
                               Pt(K::ArcCcw, 32, 12, 0), Pt(K::CentreXY, 0, 12, 0), Pt(K::Feed, 32, 32, 0),
                               Pt(K::RapidStart, 32, 32, 5)};
  MachineCondition machine = Machine();
  // Finishing measures the arc on the tool's edge path, radius 7, where a 5 mm chord spans
  // 41.85°: 730 − 12 × 11.85 = 587, 580 to the unit; the arc's feed reaches 5 mm into the
  // move after it.
  EXPECT_EQ(Optimize(arc, machine), (Lines{"1 0 0 5 1000", "2 0 0 0 1000", "3 15 0 0 1000", "4 20 0 0 550",
                                           "6 32 12 0 580", "91 0 12 0 0", "4 32 17 0 580", "4 32 32 0 1000",
                                           "1 32 32 5 1000"}));
  // On the path itself the chord spans 24.05°: 1000 − 9 × 24.05 = 783, 780 to the unit.
  machine.conCorChk = 0;
  EXPECT_EQ(Optimize(arc, machine), (Lines{"1 0 0 5 1000", "2 0 0 0 1000", "3 15 0 0 1000", "4 20 0 0 550",
                                           "6 32 12 0 780", "91 0 12 0 0", "4 32 17 0 780", "4 32 32 0 1000",
                                           "1 32 32 5 1000"}));
}

TEST(FeedOptimizer, TheXyReductionShortensTheCornerZonesAndKeepsTheSlotsLookAhead) {
  MachineCondition machine = Machine();
  OptimizerSlot slot;
  RunEngine(RightAngle(), machine, slot, nullptr);
  EXPECT_EQ(slot.xyLookAhead, 5);

  // 0.3 × 5 mm: 7 % of the 20 mm moves.
  machine.xyChgReduceCheck = 1;
  machine.safetyDistance = 4;
  const Lines reduced = Describe(RunEngine(RightAngle(), machine, slot, nullptr));
  EXPECT_EQ(slot.xyLookAhead, 5);
  EXPECT_EQ(reduced[2], "3 18.8 0 0 1000");  // 0.3 × 4 = 1.2 mm: 6 %
  EXPECT_EQ(reduced[4], "4 20 1.2 0 100");
}

TEST(FeedOptimizer, AWallOfTheMasterModelAheadSlowsTheMoveTowardsIt) {
  // A wall 10 mm high with 60° flanks standing from X 25 to 30.
  MasterModel model;
  model.cellSize = 1;
  model.columns = model.rows = 50;
  model.cellCount = 2500;
  model.present = 1;
  model.cells.resize(2500);
  for (int row = 0; row < 50; ++row) {
    for (int column = 25; column <= 30; ++column) {
      MasterCell& cell = model.cells[static_cast<std::size_t>(row * 50 + column)];
      cell.top = 10;
      cell.wallAngle = 60;
    }
  }
  const std::vector<QelPoint> approach = {Pt(K::RapidStart, 0, 10, 5), Pt(K::Rapid, 0, 10, 0),
                                          Pt(K::FeedStart, 21, 10, 0), Pt(K::RapidStart, 21, 10, 5)};
  MachineCondition machine = Machine();
  machine.qelByMaster = 1;
  OptimizerSlot slot;
  // The end of the move lies 4 mm from the wall: its last 23 % slows to 730 − 12 × 30 = 370.
  EXPECT_EQ(Describe(RunEngine(approach, machine, slot, &model)),
            (Lines{"1 0 10 5 1000", "2 0 10 0 1000", "3 16.17 10 0 1000", "4 21 10 0 370", "1 21 10 5 1000"}));

  // Without any one of the switch, a loaded model and the slot's optimizing mode the move
  // runs at the maximum feed.
  struct Case {
    const char* what;
    int byMaster;
    int present;
    SlotMode mode;
  };
  for (const Case& c : {Case{"switch off", 0, 1, SlotMode::Optimizing}, Case{"switch at 2", 2, 1, SlotMode::Optimizing},
                        Case{"model not loaded", 1, 0, SlotMode::Optimizing},
                        Case{"another mode", 1, 1, static_cast<SlotMode>(2)}}) {
    machine.qelByMaster = c.byMaster;
    model.present = c.present;
    slot.mode = c.mode;
    EXPECT_EQ(Describe(RunEngine(approach, machine, slot, &model))[2], "3 21 10 0 1000") << c.what;
  }
  machine.qelByMaster = 1;
  model.present = 1;
  slot.mode = SlotMode::Optimizing;
  EXPECT_EQ(Describe(RunEngine(approach, machine, slot, nullptr))[2], "3 21 10 0 1000") << "no model";
}

TEST(FeedOptimizer, AMoveTooShortToReachItsCruiseFeedRunsAtTheMeanOfItsEnds) {
  const auto cruise = [](double length) {
    std::vector<QelPoint> points = {Pt(K::FeedStart, 0, 0, 0), Pt(K::Feed, 10, 0, 0), Pt(K::Feed, 10 + length, 0, 0),
                                    Pt(K::Feed, 30, 0, 0)};
    for (QelPoint& p : points) p.feed = 1000;
    points[1].decelPercent = 20;  // the move before ends at 300
    points[1].decelFeed = 300;
    points[3].accelPercent = 20;  // the move after starts at 500
    points[3].accelFeed = 500;
    MachineCondition machine = Machine();
    OptimizerRun run(points, machine, nullptr, nullptr);
    ShortCruisePass(run);
    return points[2].feed;
  };
  EXPECT_EQ(cruise(2), 400);    // shorter than the tool radius
  EXPECT_EQ(cruise(12), 1000);  // long enough to cruise
}

TEST(FeedOptimizer, SmoothingKeepsAMoveFromSpeedingUpOnlyToSlowDownAgain) {
  ToolpathDatabase db;
  test::Fill(db, {test::Rec(K::RapidStart, 0, 0, 5, 1000), test::Rec(K::FeedStart, 0, 0, 0, 100),
                  test::Rec(K::Feed, 1, 0, 0, 900), test::Rec(K::Feed, 2, 0, 0, 200), test::Rec(K::Feed, 9, 0, 0, 900)});
  SmoothAccelerations(db, 5);
  // 900 after 100 with 200 within 5 mm: the mean of 100 and 200. The last move's slower
  // neighbour lies beyond the radius.
  EXPECT_EQ(test::Records(db), (Lines{"1 0 0 5 1000", "3 0 0 0 100", "4 1 0 0 150", "4 2 0 0 200", "4 9 0 0 900"}));
}

TEST(FeedOptimizer, OptimizingTheWorkBufferWritesTheResultBackAndCleansUp) {
  ToolpathDatabase db;
  test::Fill(db, {test::Rec(K::RapidStart, 0, 0, 5), test::Rec(K::Rapid, 0, 0, 0), test::Rec(K::FeedStart, 20, 0, 0, 300),
                  test::Rec(K::Feed, 20, 0, 0, 300), test::Rec(K::Feed, 20, 20, 0, 300), test::Rec(K::RapidStart, 20, 20, 5)});
  MachineCondition machine = Machine();
  OptimizerSlot slot;
  const OptimizerResult result = OptimizeFeeds(db, machine, slot, nullptr);
  ASSERT_EQ(result.status, OptimizerStatus::Done);
  // The move without length is gone; the corner's zones are points of their own.
  EXPECT_EQ(test::Records(db), (Lines{"1 0 0 5 1000", "2 0 0 0 1000", "3 15 0 0 1000", "4 20 0 0 100",
                                      "4 20 5 0 100", "4 20 20 0 1000", "1 20 20 5 1000"}));
  EXPECT_EQ(db.workFeed, 1000);
  EXPECT_EQ(result.recordsIn, 6);
  EXPECT_EQ(result.recordsOut, 7);
  EXPECT_EQ(result.movesSlowed, 2);
  EXPECT_NEAR(result.cuttingMinutesBefore, 40.0 / 300, 1e-9);
  EXPECT_NEAR(result.cuttingMinutesAfter, 15.0 / 1000 + 10.0 / 100 + 15.0 / 1000, 1e-9);

  // A machine whose optimizer is off changes nothing.
  machine.qelEnabled = 0;
  EXPECT_EQ(OptimizeFeeds(db, machine, slot, nullptr).status, OptimizerStatus::Disabled);
  EXPECT_EQ(db.recordCount, 7);
}

// Programs of random cuts, slopes, arcs in all three planes and rapids.
std::string RandomProgram(unsigned seed, int moves) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string text = "G90 G17\nG00 X0 Y0 Z10.\nG01 Z0 F500\n";
  double x = 0, y = 0, z = 0;
  for (int i = 0; i < moves; ++i) {
    const double r = unit(random);
    const double step = r < 0.3 ? 0.05 + unit(random) * 0.5 : 0.5 + unit(random) * 20;
    const double heading = unit(random) * 6.283;
    if (r < 0.05) {
      text += "G00 Z10.\nX" + std::to_string(x += 30 * unit(random)) + " Y" + std::to_string(y += 30 * unit(random)) +
              "\nG01 Z" + std::to_string(z = -unit(random) * 3) + " F300\n";
    } else if (r < 0.12) {
      const char* planes[] = {"G17", "G18", "G19"};
      const int plane = static_cast<int>(unit(random) * 3);
      const double radius = 1 + unit(random) * 20;
      // A half circle about a centre offset along the plane's first axis: the end lies twice the
      // offset away.
      const char* axes[][2] = {{"X", "I"}, {"Z", "K"}, {"Y", "J"}};
      double& along = plane == 0 ? x : plane == 1 ? z : y;
      text += std::string(planes[plane]) + (unit(random) < 0.5 ? " G02 " : " G03 ") + axes[plane][0] +
              std::to_string(along += 2 * radius) + " " + axes[plane][1] + std::to_string(radius) + " F800\nG17\n";
    } else {
      x += step * std::cos(heading);
      y += step * std::sin(heading);
      z += (unit(random) - 0.5) * step * (r < 0.2 ? 3 : 0.3);
      text += "G01 X" + std::to_string(x) + " Y" + std::to_string(y) + " Z" + std::to_string(z) + " F1200\n";
    }
  }
  return text + "G00 Z10.\nM30\n";
}

std::vector<QelPoint> RandomPoints(unsigned seed, int moves) {
  ToolpathDatabase db;
  AppendText(db, RandomProgram(seed, moves));
  return QelPointsFrom(db);
}

double DistanceToSegment(Point3 p, Point3 a, Point3 b) {
  const Point3 d = b - a;
  const double dd = d.x * d.x + d.y * d.y + d.z * d.z;
  const double t = dd == 0 ? 0 : std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y + (p.z - a.z) * d.z) / dd, 0.0, 1.0);
  return Length(p - (a + d * t));
}

TEST(FeedOptimizerProperties, OutputStaysOnThePathBelowTheMaximumFeedAndIsDeterministic) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    MachineCondition machine = Machine();
    machine.feedChgSmoothCheck = static_cast<int>(seed % 2);
    machine.conCorChk = static_cast<int>(seed / 2 % 2);
    machine.upDownChk = static_cast<int>(seed / 4 % 2);
    machine.feedUnit = seed % 3 == 0 ? 0 : 25;
    machine.qelMaxFeed = 1500;
    const std::vector<QelPoint> input = RandomPoints(seed, 3000);
    OptimizerSlot slot;
    const std::vector<QelPoint> output = RunEngine(input, machine, slot, nullptr);
    OptimizerSlot again;
    EXPECT_EQ(Describe(RunEngine(input, machine, again, nullptr)), Describe(output)) << seed;

    // Walk both: every output point is the next input point (a cut may change between a first
    // and a following cut), or lies on the move into it.
    std::size_t j = 0;
    Point3 last;
    for (const QelPoint& q : output) {
      ASSERT_LT(j, input.size()) << seed;
      EXPECT_LE(q.feed, machine.qelMaxFeed) << seed;
      const QelPoint& next = input[j];
      const bool sameKind = q.kind == next.kind || (q.IsLinearFeed() && next.IsLinearFeed());
      if (sameKind && q.position() == next.position()) {
        if (next.IsMotion()) last = next.position();
        ++j;
        continue;
      }
      ASSERT_TRUE(next.IsLinearFeed()) << seed << ": " << Describe(q);
      EXPECT_LT(DistanceToSegment(q.position(), last, next.position()), 1e-6) << seed << ": " << Describe(q);
    }
    EXPECT_EQ(j, input.size()) << seed;
  }
}

TEST(FeedOptimizerProperties, EveryFeedThePassesLowerIsAMultipleOfTheUnit) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    MachineCondition machine = Machine();
    machine.feedUnit = 30;
    machine.conCorChk = static_cast<int>(seed % 2);
    std::vector<QelPoint> points = RandomPoints(seed, 3000);
    OptimizerRun run(points, machine, nullptr, nullptr);
    ResetFeeds(run);
    SlopePass(run);
    CornerPass(run);
    int lowered = 0;
    for (const QelPoint& p : points) {
      if (!p.IsMotion()) continue;
      for (int feed : {p.feed, p.accelFeed, p.decelFeed}) {
        if (feed == 0 || feed == machine.qelMaxFeed) continue;
        ++lowered;
        EXPECT_EQ(feed % machine.feedUnit, 0) << seed << ": " << Describe(p);
      }
    }
    EXPECT_GT(lowered, 100) << seed;
  }
}

TEST(BatchOptimize, WritesWhatTheOptimizerMakesOfTheProgramWithTheTransferDialogsFeeds) {
  test::TempDir dir;
  const std::string out = (dir / "out.nc").string();
  const std::string program = test::Example("bracket.nc").string();
  const test::BatchRun run = test::Batch(
      {"optimize", program, "-o", out, "--yes", "--max-feed", "2000", "--min-feed", "400", "--smooth"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("records: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("estimated cutting time: "), std::string::npos) << run.out;

  // The same as the engine with the condition the dialog makes of those two feeds.
  ToolpathDatabase written;
  ASSERT_TRUE(LoadFile(written, out).ok());
  ToolpathDatabase expected;
  ASSERT_TRUE(LoadFile(expected, program).ok());
  RunAfterLoadSteps(expected, program);
  TransferDialogState dialog;
  MachineCondition machine;
  ShowTransferDialog(dialog, machine);
  SetMaximumFeed(dialog, 2000);
  SetMinimumFeed(dialog, 400);
  dialog.condition.feedChgSmoothCheck = 1;
  ASSERT_FALSE(AcceptTransferDialog(dialog, machine));
  OptimizerSlot slot;
  ASSERT_EQ(OptimizeFeeds(expected, machine, slot, nullptr).status, OptimizerStatus::Done);
  int highest = 0;
  written.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (IsCuttingKind(r.kind)) highest = std::max(highest, r.feed);
  });
  EXPECT_EQ(highest, 2000);
  EXPECT_EQ(written.recordCount, expected.recordCount);
}

TEST(BatchOptimize, MistakesAndUnreadableFilesAreNamed) {
  test::TempDir dir;
  const std::string out = (dir / "out.nc").string();
  const std::string program = test::Example("bracket.nc").string();
  EXPECT_EQ(test::Batch({"optimize", program}).status, 2);
  EXPECT_EQ(test::Batch({"optimize", program, "-o", out, "--max-feed", "fast"}).status, 2);
  EXPECT_EQ(test::Batch({"optimize", program, "-o", out, "--unit", "-5"}).status, 2);
  const test::BatchRun qel = test::Batch({"optimize", program, "-o", out, "--qel", (dir / "none.qel").string()});
  EXPECT_EQ(qel.status, 1);
  EXPECT_NE(qel.err.find("none.qel"), std::string::npos) << qel.err;
  const test::BatchRun master = test::Batch({"optimize", program, "-o", out, "--master", (dir / "none.mma").string()});
  EXPECT_EQ(master.status, 1);
  EXPECT_NE(master.err.find("none.mma"), std::string::npos) << master.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace fendo
