#include "generate/pocket.h"

#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/generated_records.h"

namespace fendo {
namespace {

using K = MoveKind;

TEST(ZLevels, FromTheStartHeightDownInEqualSteps) {
  struct Case {
    double start, depth, stepover;
    int count;
    double step;
  };
  for (const Case c : {Case{0, -50, 10, 6, 10}, Case{0, -55, 10, 7, 55.0 / 6}, Case{-5, -5, 10, 1, 0},
                       Case{0, 10, 10, 1, 0}, Case{0, -3, 10, 2, 3}}) {
    const ZLevels levels = MakeZLevels(c.start, c.depth, c.stepover);
    EXPECT_EQ(levels.count(), c.count) << c.start << " " << c.depth;
    EXPECT_DOUBLE_EQ(levels.step, c.step);
    EXPECT_DOUBLE_EQ(levels.Height(0), c.start);
  }
}

TEST(TaperedRectangle, EachSideMovesInwardByItsOwnTaper) {
  const CentredRectangle entered{0, 0, 100, 60};
  // 45° on the +X side only, 10 below the start, 1 allowance all round.
  const LevelRectangle level = TaperedRectangle(entered, {.single = false, .xPlus = 45}, 10, 1, 1);
  EXPECT_EQ(level.offset, 0);
  EXPECT_NEAR(level.shape.sx, 100 - 11 - 1, 1e-5);
  EXPECT_NEAR(level.shape.cx, -5, 1e-5);
  EXPECT_NEAR(level.shape.sy, 58, 1e-9);
  EXPECT_NEAR(TaperedRectangle(entered, {.angle = 45}, 10, 1, 1).offset, 11, 1e-5);
}

TEST(Pocket, OneLevelForEveryStepFromTheStartHeightToTheDepth) {
  struct Case {
    double start, depth;
    std::vector<double> heights;
  };
  for (const Case& c : {Case{0, -50, {0, -10, -20, -30, -40, -50}}, Case{-7, -7, {-7}}}) {
    ToolpathDatabase db;
    const GenerateResult result = GeneratePocket(db, {.startHeight = c.start, .zDepth = c.depth});
    ASSERT_EQ(result.outcome, EditOutcome::Changed);
    EXPECT_EQ(result.levelsLeftOut, 0);
    EXPECT_EQ(test::PlungeHeights(db), c.heights);
  }
}

TEST(Pocket, ACircleIsClearedInTenFullCirclesOutToItsRadius) {
  ToolpathDatabase db;
  db.safeZ = 50;
  PocketParams params{.shape = PocketShape::Circle, .startHeight = -5, .zDepth = -5};
  params.rectangle.xCentre = 20;
  params.rectangle.yCentre = 30;
  ASSERT_EQ(GeneratePocket(db, params).outcome, EditOutcome::Changed);
  const std::vector<ToolpathRecord> r = test::All(db);
  ASSERT_EQ(r.size(), 2u + 10 * 3 + 1);
  EXPECT_EQ(test::Describe(r[0]), "1 20 30 50 300");
  EXPECT_EQ(test::Describe(r[1]), "3 20 30 -5 300");
  for (int j = 1; j <= 10; ++j) {
    const std::size_t at = 2 + 3 * (j - 1);
    EXPECT_TRUE(IsLinearFeedKind(r[at].kind));
    EXPECT_EQ(r[at].x, 20 + 10 * j);
    EXPECT_EQ(r[at].y, 30);
    // A full counter-clockwise circle back to where it starts, about the pocket's centre.
    EXPECT_EQ(r[at + 1].kind, K::ArcCcw);
    EXPECT_EQ(r[at + 1].x, r[at].x);
    EXPECT_EQ(r[at + 2].kind, K::CentreXY);
    EXPECT_EQ(r[at + 2].x, -10 * j);
    EXPECT_EQ(r[at + 2].y, 0);
  }
  EXPECT_EQ(test::Describe(r.back()), "1 120 30 50 300");
}

TEST(Pocket, LoopsRunCounterClockwiseFromTheCentreAlongTheNarrowerAxis) {
  // 40 × 20 sharp: Y is narrower, so each loop starts on the top side: half sizes 15 × 5, then
  // 20 × 10 (stepover 5).
  ToolpathDatabase db;
  db.safeZ = 50;
  PocketParams params{.xyStepover = 5, .startHeight = 0, .zDepth = 0};
  params.rectangle.xSize = 40;
  params.rectangle.ySize = 20;
  ASSERT_EQ(GeneratePocket(db, params).outcome, EditOutcome::Changed);
  std::vector<std::string> texts;
  for (const ToolpathRecord& r : test::All(db)) texts.push_back(test::Describe(r));
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "1 0 0 50 300", "3 0 0 0 300",                                           //
                       "4 0 5 0 300", "4 -15 5 0 300", "4 -15 -5 0 300", "4 15 -5 0 300",       //
                       "4 15 5 0 300", "4 0 5 0 300",                                           //
                       "4 0 10 0 300", "4 -20 10 0 300", "4 -20 -10 0 300", "4 20 -10 0 300",  //
                       "4 20 10 0 300", "4 0 10 0 300", "1 0 10 50 300"}));
}

TEST(Pocket, RoundedCornersAreCounterClockwiseArcsAboutTheOutermostCornerCentres) {
  ToolpathDatabase db;
  PocketParams params{.shape = PocketShape::RoundedRectangle, .xyStepover = 10, .startHeight = 0, .zDepth = 0};
  params.rectangle.xSize = 60;  // X narrower: loops start on the right side
  params.rectangle.ySize = 100;
  params.cornerRadius = 15;
  ASSERT_EQ(GeneratePocket(db, params).outcome, EditOutcome::Changed);
  const std::vector<ToolpathRecord> r = test::All(db);
  int arcs = 0;
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    if (!IsArcKind(r[i].kind)) continue;
    ++arcs;
    EXPECT_EQ(r[i].kind, K::ArcCcw);
    // The centre lies on a corner centre of the outermost loop: (±15, ±35).
    const ToolpathRecord& from = r[i - 1].kind == K::CentreXY ? r[i - 2] : r[i - 1];
    EXPECT_NEAR(std::abs(from.x + r[i + 1].x), 15, 1e-4);
    EXPECT_NEAR(std::abs(from.y + r[i + 1].y), 35, 1e-4);
  }
  // Loops at half sizes 10, 20, 30 (X): radii −5, 5, 15, so two rounded loops of four corners.
  EXPECT_EQ(arcs, 8);
  EXPECT_GT(test::SignedArea2(r, 2, r.size() - 1), 0);
}

TEST(Pocket, LevelsTheTaperClosesAreLeftOutAndCounted) {
  // Radius 20, 45°: 20, 10, then nothing at −20 … −50.
  ToolpathDatabase db;
  const GenerateResult result =
      GeneratePocket(db, {.shape = PocketShape::Circle, .circleRadius = 20, .taper = {.angle = 45}});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  EXPECT_EQ(result.levelsLeftOut, 4);
  EXPECT_EQ(test::PlungeHeights(db), (std::vector<double>{0, -10}));
}

TEST(Pocket, AnAllowanceThatLeavesNothingMakesNoPassAndChangesNothing) {
  ToolpathDatabase db;
  test::Fill(db, {test::Rec(K::RapidStart, 0, 0, 50), test::Rec(K::FeedStart, 0, 0, 0, 300)});
  const GenerateResult result = GeneratePocket(db, {.allowance = 80});
  EXPECT_EQ(result.outcome, EditOutcome::Unchanged);
  EXPECT_EQ(result.levelsLeftOut, 6);
  EXPECT_EQ(db.recordCount, 2);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(Pocket, AppendsBehindTheRecordsWithOneUndoStep) {
  ToolpathDatabase db;
  test::Fill(db, {test::Rec(K::RapidStart, 1, 2, 50), test::Rec(K::FeedStart, 1, 2, 0, 300)});
  const GenerateResult result = GeneratePocket(db, {});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  EXPECT_EQ(db.recordCount, 2 + result.recordsAdded);
  EXPECT_EQ(test::Describe(*db.RecordAt(1)), "3 1 2 0 300");
  EXPECT_EQ(db.undoPos(), 1);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 2);
}

TEST(Pocket, AResultPastTheRecordLimitChangesNothing) {
  ToolpathDatabase db;
  db.recordCount = ToolpathDatabase::kMaxRecords - 10;
  EXPECT_EQ(GeneratePocket(db, {}).outcome, EditOutcome::NoRoom);
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords - 10);
  EXPECT_EQ(db.undoPos(), 0);
  // Far past the limit: refused without the pattern ever being built whole.
  db.recordCount = ToolpathDatabase::kMaxRecords - 1000;
  const PocketParams huge{.xyStepover = 0.1, .zStepover = 0.1, .zDepth = -1000};
  EXPECT_EQ(GeneratePocket(db, huge).outcome, EditOutcome::NoRoom);
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords - 1000);
}

TEST(Pocket, TheDialogShowsARectangleByItsCentreAndSizeAfterwards) {
  const RectangleFields minMax{.form = ShapeForm::MinMax, .xMax = 50, .xMin = 10, .yMax = 0, .yMin = -20};
  struct Case {
    PocketShape shape;
    ShapeForm form;
    double xCentre, ySize;
  };
  for (const Case c : {Case{PocketShape::Rectangle, ShapeForm::CentreSize, 30, 20},
                       Case{PocketShape::RoundedRectangle, ShapeForm::MinMax, 30, 20},
                       Case{PocketShape::Circle, ShapeForm::MinMax, 0, 160}}) {
    const PocketParams after = PocketFieldsAfterRun({.shape = c.shape, .rectangle = minMax});
    EXPECT_EQ(after.rectangle.form, c.form) << static_cast<int>(c.shape);
    EXPECT_EQ(after.rectangle.xCentre, c.xCentre);
    EXPECT_EQ(after.rectangle.ySize, c.ySize);
    EXPECT_EQ(after.rectangle.xMin, 10) << "the other fields stay";
  }
}

TEST(Pocket, ValuesOutOfRangeAreRefused) {
  ToolpathDatabase db;
  EXPECT_EQ(GeneratePocket(db, {.xyStepover = 0}).outcome, EditOutcome::Refused);
  EXPECT_EQ(GeneratePocket(db, {.allowance = 101}).outcome, EditOutcome::Refused);
  EXPECT_EQ(GeneratePocket(db, {.taper = {.angle = -1}}).outcome, EditOutcome::Refused);
  EXPECT_EQ(db.recordCount, 0);
}

}  // namespace
}  // namespace fendo
