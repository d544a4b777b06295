#include "edit/plunge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// One path in the standard form: traverse at safeZ, approach 2 above B = (0, 0, −5), a
// vertical plunge, then a cut along +x.
std::vector<ToolpathRecord> OnePath() {
  return {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2 - 5.0f), Rec(K::FeedStart, 0, 0, -5, 500),
          Rec(K::Feed, 20, 0, -5, 500), Rec(K::Feed, 40, 0, -5, 500), Rec(K::RapidStart, 40, 0, 50)};
}

ToolpathDatabase& Program(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  Fill(db, records);
  db.safeZ = 50;
  db.workFeed = 700;
  return db;
}

TEST(NormalizePlunges, RunsOfPlungesBecomeOneRapidMoveToTheBottom) {
  ToolpathDatabase db;
  Program(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 10), Rec(K::Rapid, 0, 0, 2),
               Rec(K::FeedStart, 0, 0, -1, 300), Rec(K::Feed, 0, 0, -5, 300), Rec(K::Feed, 10, 0, -5, 300),
               Rec(K::RapidStart, 10, 0, 50), Rec(K::Rapid, 20, 0, 50), Rec(K::FeedStart, 25, 0, -5, 300),
               Rec(K::Feed, 30, 0, -5, 300)});
  NormalizePlunges(db);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 2 0",  // the rapid descent merged
                                   "2 0 0 -5 300",             // both plunges: one rapid to the bottom
                                   "3 10 0 -5 300", "1 10 0 50 0",
                                   "2 20 0 50 0",              // a ramp from safeZ stays a feed move
                                   "3 25 0 -5 300", "4 30 0 -5 300"}));
}

TEST(PlungeChange, LengthThirtyAtZAngleNinetyFeedsTheLastThirty) {
  ToolpathDatabase db;
  Program(db, OnePath());
  ASSERT_EQ(ChangePlunges(db, {}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 25 700", "3 0 0 -5 700",
                                                        "4 20 0 -5 500", "4 40 0 -5 500", "1 40 0 50 0"}))
      << "at rapid to 30 above the bottom (the approach below it is passed), then feed";
}

TEST(PlungeChange, ScopesAllAndNone) {
  ToolpathDatabase all;
  Program(all, OnePath());
  ASSERT_EQ(ChangePlunges(all, {.scope = AnglePlungeScope::All, .usePlungeFeed = true, .plungeFeed = 150}),
            EditOutcome::Changed);
  EXPECT_EQ(test::Records(all), (std::vector<std::string>{"1 0 0 50 0", "3 0 0 -5 150", "4 20 0 -5 500",
                                                         "4 40 0 -5 500", "1 40 0 50 0"}))
      << "the whole descent from safeZ at the plunge feed";
  ToolpathDatabase none;
  Program(none, OnePath());
  ASSERT_EQ(ChangePlunges(none, {.scope = AnglePlungeScope::None}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(none), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 -3 0", "2 0 0 -5 500",
                                                          "3 20 0 -5 500", "4 40 0 -5 500", "1 40 0 50 0"}));
}

TEST(PlungeChange, ARampComesDownAgainstTheFollowingCut) {
  ToolpathDatabase db;
  Program(db, OnePath());
  ASSERT_EQ(ChangePlunges(db, {.length = 10, .zAngle = 30, .xyAngle = 180}), EditOutcome::Changed);
  // S = B + 10·(cos 30°·cos 180°, 0, sin 30°): behind the start, 5 above it.
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "2 0 0 -3 0", "2 -8.66025 0 -3 700",
                                                        "2 -8.66025 0 0 700", "3 0 0 -5 700", "4 20 0 -5 500",
                                                        "4 40 0 -5 500", "1 40 0 50 0"}));
}

// The last record of the entry into the cut along +x: the one before (20, 0, −5).
ToolpathRecord EntryEnd(ToolpathDatabase& db) {
  for (int i = 1; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->x == 20 && db.RecordAt(i)->z == -5) return *db.RecordAt(i - 1);
  }
  return {};
}

TEST(PlungeChange, CircularAndGrooveEntriesEndExactlyAtTheBottom) {
  for (const PlungeMethod method : {PlungeMethod::Circle, PlungeMethod::Groove}) {
    ToolpathDatabase db;
    Program(db, OnePath());
    ASSERT_EQ(ChangePlunges(db, {.method = method}), EditOutcome::Changed);
    const ToolpathRecord end = EntryEnd(db);
    EXPECT_EQ(test::Describe(end), "4 0 0 -5 700") << static_cast<int>(method);
    // Nothing of the entry goes below the bottom.
    for (int i = 0; i < db.recordCount; ++i) EXPECT_GE(db.RecordAt(i)->z, -5) << i;
  }
}

TEST(PlungeChange, TheHelixDescendsRSin3aPerTurn) {
  ToolpathDatabase db;
  Program(db, OnePath());
  // R = 1, a = 10: d = sin 30° = 0.5; H = 1.2 gives two turns of five points.
  ASSERT_EQ(ChangePlunges(db, {.method = PlungeMethod::Circle, .circleRadius = 1, .circleLength = 3,
                               .circlePitch = 10, .circleDepth = 1.2}),
            EditOutcome::Changed);
  std::vector<std::string> records = test::Records(db);
  ASSERT_EQ(records.size(), 19u);
  EXPECT_EQ(std::vector<std::string>(records.begin() + 2, records.begin() + 6),
            (std::vector<std::string>{"2 0 0 -2 700", "3 0 0 -4 700", "4 1 0 -4 700", "4 0.30902 0.95106 -4.1 700"}))
      << "from L above B to the top of the helix, then round";
  EXPECT_EQ(std::vector<std::string>(records.begin() + 13, records.begin() + 16),
            (std::vector<std::string>{"4 0.30902 -0.95106 -4.9 700", "4 1 0 -5 700", "4 0 0 -5 700"}))
      << "the last turn ends at the circle's start at B's height, then B";
}

TEST(PlungeChange, TheGrooveZigzagsAlongTheCut) {
  ToolpathDatabase db;
  Program(db, OnePath());
  // G = 10, a = 30: c = 5; D = 10.5 gives two passes; P = 12.
  ASSERT_EQ(ChangePlunges(db, {.method = PlungeMethod::Groove, .groovePlungeLength = 12, .grooveLength = 10,
                               .grooveDepth = 10.5, .groovePitch = 30}),
            EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 50 700", "2 0 0 7 700",  // at rapid to P above B
                                   "3 0 0 5 700",                              // at feed to e·c
                                   "4 10 0 0 700", "4 0 0 0 700",              // a pass down 5 over 10 and back
                                   "4 10 0 -5 700", "4 0 0 -5 700",            // the last ends at B
                                   "4 20 0 -5 500", "4 40 0 -5 500", "1 40 0 50 0"}));
}

TEST(PlungeChange, PitchAnglesWithoutDescentAreRefusedByField) {
  struct Case {
    PlungeParams params;
    std::string_view field;
  };
  const std::vector<Case> cases = {
      {{.method = PlungeMethod::Circle, .circlePitch = 0}, "circlePitch"},
      {{.method = PlungeMethod::Circle, .circlePitch = 60}, "circlePitch"},
      {{.method = PlungeMethod::Groove, .groovePitch = 0}, "groovePitch"},
      {{.method = PlungeMethod::Groove, .groovePitch = 180}, "groovePitch"},
      {{.method = PlungeMethod::Groove, .grooveLength = 0}, "grooveLength"},
      {{.zAngle = 0}, "zAngle"},
      {{.usePlungeFeed = true, .plungeFeed = 0}, "plungeFeed"},
  };
  for (const Case& c : cases) {
    const auto refused = CheckPlungeParams(c.params);
    ASSERT_TRUE(refused) << c.field;
    EXPECT_EQ(refused->field, c.field);
    ToolpathDatabase db;
    Program(db, OnePath());
    EXPECT_EQ(ChangePlunges(db, c.params), EditOutcome::Refused) << c.field;
    EXPECT_EQ(db.undoPos(), 0);
  }
  EXPECT_FALSE(CheckPlungeParams({.method = PlungeMethod::Circle, .circlePitch = 59}));
  EXPECT_FALSE(CheckPlungeParams(PlungeParams{.groovePitch = 0})) << "the groove's fields do not matter to angles";
}

TEST(PlungeChange, AHelixPastTheRecordLimitChangesNothing) {
  ToolpathDatabase db;
  Program(db, OnePath());
  const auto before = test::StoredState(db);
  EXPECT_EQ(ChangePlunges(db, {.method = PlungeMethod::Circle, .circleRadius = 1000, .circlePitch = 0.001,
                               .circleDepth = 10000}),
            EditOutcome::NoRoom);
  EXPECT_EQ(test::StoredState(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(PlungeChange, PassingMachinedPointsComesDownAtRapidToTheClearance) {
  // The same cut twice (a spring pass): the second bottom was reached by the first pass.
  std::vector<ToolpathRecord> twice = OnePath();
  const std::vector<ToolpathRecord> once = OnePath();
  twice.insert(twice.end(), once.begin() + 1, once.end());
  for (const PlungeMethod method : {PlungeMethod::Angle, PlungeMethod::Circle, PlungeMethod::Groove}) {
    ToolpathDatabase db;
    Program(db, twice);
    ASSERT_EQ(ChangePlunges(db, {.method = method, .passMachined = true, .machinedClearance = 2}),
              EditOutcome::Changed);
    const std::vector<std::string> records = test::Records(db);
    // The second entry: at rapid to 2 above B, then B.
    const auto second = std::find(records.begin() + 1, records.end(), "2 0 0 -3 700");
    ASSERT_NE(second, records.end()) << static_cast<int>(method);
    EXPECT_EQ(*(second + 1), "3 0 0 -5 700");
    EXPECT_NE(std::find(records.begin(), records.end(), "2 0 0 25 700"), records.end())
        << "the first entry is a full one, from 30 above";
  }
}

TEST(PlungeChange, ANewRapidHeightLiftsTheMovesBetweenPaths) {
  ToolpathDatabase db;
  Program(db, test::OneWayPasses(2));
  ASSERT_EQ(ChangePlunges(db, {.newRapidHeight = true, .rapidHeight = 80}), EditOutcome::Changed);
  EXPECT_EQ(db.safeZ, 80);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 80 0", "2 0 0 80 0", "2 0 0 29 700", "3 0 0 -1 700",
                                   "4 10 0 -1 600", "4 20 0 -1 700", "4 30 0 -1 800", "1 30 0 80 0",
                                   "2 0 10 80 0", "2 0 10 29 700", "3 0 10 -1 700", "4 10 10 -1 600",
                                   "4 20 10 -1 700", "4 30 10 -1 800", "1 30 10 50 0"}))
      << "the last retract leads to no rapid move and keeps its height";
}

TEST(PlungeChange, ARapidHeightOfMinus999LeavesTheRapidMoves) {
  ToolpathDatabase db;
  Program(db, test::OneWayPasses(2));
  ASSERT_EQ(ChangePlunges(db, {.scope = AnglePlungeScope::None, .newRapidHeight = true,
                               .rapidHeight = kKeepRapidHeight}),
            EditOutcome::Changed);
  EXPECT_EQ(db.safeZ, 50);
  EXPECT_EQ(test::Records(db).front(), "1 0 0 50 0");
}

TEST(PlungeChange, OnlySelectedBottomsWhenAskedTo) {
  ToolpathDatabase db;
  std::vector<ToolpathRecord> records = test::OneWayPasses(2);
  records[10].selected = 1;  // the second pass's plunge bottom
  Program(db, records);
  ASSERT_EQ(ChangePlunges(db, {.scope = AnglePlungeScope::All, .selectedOnly = true}), EditOutcome::Changed);
  const std::vector<std::string> after = test::Records(db);
  EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 4),
            (std::vector<std::string>{"1 0 0 50 0", "2 0 0 50 0", "2 0 0 2 0", "3 0 0 -1 500"}))
      << "the first plunge stays";
  EXPECT_NE(std::find(after.begin(), after.end(), "3 0 10 -1 700"), after.end());
}

}  // namespace
}  // namespace fendo
