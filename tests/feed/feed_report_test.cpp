#include "feed/feed_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "feed/feed_optimizer.h"

namespace fendo {
namespace {

using K = MoveKind;
using Records = std::vector<ToolpathRecord>;

// The default machine (maximum feed 1000) with the feed unit 10 and a plunge feed of 200.
MachineCondition Machine() {
  MachineCondition m;
  m.feedUnit = 10;
  m.plungeFeed = 200;
  return m;
}

struct Reported {
  OptimizerResult result;
  FeedReport report;
  std::vector<std::string> records;
};

Reported OptimizeWithReport(const Records& program) {
  ToolpathDatabase db;
  test::Fill(db, program);
  OptimizerSlot slot;
  Reported r;
  r.result = OptimizeFeeds(db, Machine(), slot, nullptr, nullptr, &r.report);
  r.records = test::Records(db);
  return r;
}

std::vector<std::string> OptimizeWithoutReport(const Records& program) {
  ToolpathDatabase db;
  test::Fill(db, program);
  OptimizerSlot slot;
  OptimizeFeeds(db, Machine(), slot, nullptr);
  return test::Records(db);
}

const FeedRuleLine* LineOf(const FeedReport& report, FeedRule rule) {
  for (const FeedRuleLine& line : report.rules) {
    if (line.rule == rule) return &line;
  }
  return nullptr;
}

double MinutesAdded(const FeedReport& report) {
  double sum = 0;
  for (const FeedRuleLine& line : report.rules) sum += line.minutesAdded;
  return sum;
}

// A 90° corner in XY between two 20 mm cuts already at the maximum feed.
Records RightAngle() {
  return {test::Rec(K::RapidStart, 0, 0, 5), test::Rec(K::Rapid, 0, 0, 0), test::Rec(K::FeedStart, 20, 0, 0, 1000),
          test::Rec(K::Feed, 20, 20, 0, 1000), test::Rec(K::RapidStart, 20, 20, 5)};
}

Records Plunge() {
  return {test::Rec(K::RapidStart, 0, 0, 10), test::Rec(K::Rapid, 0, 0, 5), test::Rec(K::FeedStart, 0, 0, 0, 1000),
          test::Rec(K::Feed, 30, 0, 0, 1000), test::Rec(K::RapidStart, 30, 0, 10)};
}

Records SlopeUp() {
  return {test::Rec(K::RapidStart, 0, 0, 10), test::Rec(K::Rapid, 0, 0, 0), test::Rec(K::FeedStart, 30, 0, 0, 1000),
          test::Rec(K::Feed, 60, 0, 30, 1000), test::Rec(K::RapidStart, 60, 0, 40)};
}

// Rows of 5 mm moves over a wavy surface at program feeds below the maximum, with turns between
// rows: every rule of the linear passes has work to do.
Records Waves() {
  Records program{test::Rec(K::RapidStart, 0, 0, 20)};
  for (int row = 0; row < 6; ++row) {
    const double y = 4.0 * row;
    program.push_back(test::Rec(K::Rapid, 0, y, 20));
    program.push_back(test::Rec(K::FeedStart, 0, y, 0, 400 + 50 * row));
    for (int k = 1; k <= 24; ++k) {
      const double x = row % 2 == 0 ? 5.0 * k : 120 - 5.0 * k;
      program.push_back(test::Rec(K::Feed, x, y, 6 * std::sin(x / 9) + (k % 7 == 0 ? 3 : 0), 500 + 37 * k));
    }
    program.push_back(test::Rec(K::RapidStart, program.back().x, y, 20));
  }
  return program;
}

TEST(FeedReport, TheCornerRuleOwnsExactlyThePointsOfTheCornersZones) {
  const Reported r = OptimizeWithReport(RightAngle());
  // The corner's zones end in the two points at 100 mm/min, 5 mm before and after it.
  ASSERT_EQ(r.report.rules.size(), 1u);
  EXPECT_EQ(r.report.rules[0].rule, FeedRule::XyCorner);
  EXPECT_EQ(r.report.rules[0].records, 2);
  EXPECT_NEAR(r.report.rules[0].length, 10, 1e-6);
  EXPECT_NEAR(r.report.rules[0].minutesAdded, 10.0 / 100 - 10.0 / 1000, 1e-9);
}

TEST(FeedReport, PlungesAndSlopesReportTheirRules) {
  const struct {
    Records program;
    FeedRule rule;
  } cases[] = {{Plunge(), FeedRule::Plunge}, {SlopeUp(), FeedRule::SlopeUp}};
  for (const auto& c : cases) {
    const Reported r = OptimizeWithReport(c.program);
    const FeedRuleLine* line = LineOf(r.report, c.rule);
    ASSERT_NE(line, nullptr) << FeedRuleName(c.rule);
    EXPECT_GE(line->records, 1);
    EXPECT_GT(line->minutesAdded, 0);
  }
}

TEST(FeedReport, TheRulesAddUpToTheWholeDifference) {
  for (const Records& program : {RightAngle(), Plunge(), SlopeUp(), Waves()}) {
    const Reported r = OptimizeWithReport(program);
    ASSERT_EQ(r.result.status, OptimizerStatus::Done);
    EXPECT_EQ(r.report.minutesBefore, r.result.cuttingMinutesBefore);
    EXPECT_EQ(r.report.minutesAfter, r.result.cuttingMinutesAfter);
    const double difference = r.report.minutesAfter - r.report.minutesBefore;
    EXPECT_NEAR(MinutesAdded(r.report), difference, 0.001 * std::fabs(difference) + 1e-12);
  }
  // The waves raise feeds to the maximum as well as lower them.
  const FeedReport waves = OptimizeWithReport(Waves()).report;
  EXPECT_NE(LineOf(waves, FeedRule::None), nullptr);
  EXPECT_GE(waves.rules.size(), 3u);
}

TEST(FeedReport, AskingForTheReportChangesNoRecord) {
  for (const Records& program : {RightAngle(), Plunge(), SlopeUp(), Waves()}) {
    EXPECT_EQ(OptimizeWithReport(program).records, OptimizeWithoutReport(program));
  }
}

}  // namespace
}  // namespace fendo
