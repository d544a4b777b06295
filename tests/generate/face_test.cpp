#include "generate/face.h"

#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "generate/generated_records.h"

namespace fendo {
namespace {

using K = MoveKind;

TEST(Face, PassesCoverTheRectangleInStepsNoLargerThanTheStepover) {
  struct Case {
    double height;  // mm, Sy
    int passes;
    double step;    // mm, B
  };
  for (const Case c : {Case{160, 17, 10}, Case{165, 18, 165.0 / 17}, Case{5, 2, 5}}) {
    ToolpathDatabase db;
    FaceParams params;
    params.rectangle.ySize = c.height;
    ASSERT_EQ(GenerateFace(db, params).outcome, EditOutcome::Changed);
    const std::vector<ToolpathRecord> plunges = test::OfKind(db, K::FeedStart);
    ASSERT_EQ(static_cast<int>(plunges.size()), c.passes) << c.height;
    // Direction 1 steps towards −Y from the top edge down to the bottom one.
    EXPECT_FLOAT_EQ(plunges.front().y, static_cast<float>(c.height / 2));
    EXPECT_FLOAT_EQ(plunges.back().y, static_cast<float>(-c.height / 2));
    EXPECT_NEAR(plunges[0].y - plunges[1].y, c.step, 1e-4);
  }
}

TEST(Face, TheDirectionSignTableStaysAsMachinesHaveAlwaysRunIt) {
  struct Case {
    FaceDirection direction;
    int x, y;
  };
  for (const Case c : {Case{FaceDirection::XPlusYPlus, 1, -1}, Case{FaceDirection::XPlusYMinus, -1, 1},
                       Case{FaceDirection::YPlusXPlus, 1, 1}, Case{FaceDirection::YPlusXMinus, -1, -1}}) {
    const FaceSigns s = FaceDirectionSigns(c.direction);
    EXPECT_EQ(s.x, c.x) << static_cast<int>(c.direction);
    EXPECT_EQ(s.y, c.y) << static_cast<int>(c.direction);
  }
}

TEST(Face, EveryPassCutsTheSameWayWithItsOwnApproachAndRetract) {
  struct Case {
    FaceDirection direction;
    float dx, dy;  // the direction of every cut
    float firstX, firstY;
  };
  // A rectangle from (0, 0) to (40, 20), stepover 10.
  for (const Case c : {Case{FaceDirection::XPlusYPlus, 40, 0, 0, 20}, Case{FaceDirection::XPlusYMinus, -40, 0, 40, 0},
                       Case{FaceDirection::YPlusXPlus, 0, 20, 0, 0},
                       Case{FaceDirection::YPlusXMinus, 0, -20, 40, 20}}) {
    ToolpathDatabase db;
    db.safeZ = 50;
    FaceParams params{.rectangle = {.form = ShapeForm::MinMax, .xMax = 40, .xMin = 0, .yMax = 20, .yMin = 0},
                      .direction = c.direction,
                      .cuttingHeight = -2};
    ASSERT_EQ(GenerateFace(db, params).outcome, EditOutcome::Changed);
    const std::vector<ToolpathRecord> r = test::All(db);
    ASSERT_EQ(r.size() % 4, 0u);
    EXPECT_EQ(r[0].x, c.firstX);
    EXPECT_EQ(r[0].y, c.firstY);
    for (std::size_t i = 0; i < r.size(); i += 4) {
      EXPECT_EQ(r[i].kind, K::RapidStart);
      EXPECT_EQ(r[i].z, 50);
      EXPECT_EQ(r[i + 1].kind, K::FeedStart);
      EXPECT_EQ(r[i + 1].z, -2);
      EXPECT_EQ(r[i + 2].kind, K::Feed);
      EXPECT_EQ(r[i + 2].x - r[i + 1].x, c.dx);
      EXPECT_EQ(r[i + 2].y - r[i + 1].y, c.dy);
      EXPECT_EQ(r[i + 3].kind, K::RapidStart);
      EXPECT_EQ(r[i + 3].z, 50);
    }
  }
}

TEST(Face, ARectangleWithoutWidthMakesNoPassAndChangesNothing) {
  ToolpathDatabase db;
  FaceParams params{.rectangle = {.form = ShapeForm::MinMax, .xMax = 10, .xMin = 10}};
  const GenerateResult result = GenerateFace(db, params);
  EXPECT_EQ(result.outcome, EditOutcome::Unchanged);
  EXPECT_EQ(db.recordCount, 0);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(Face, ValuesOutOfRangeAreRefused) {
  ToolpathDatabase db;
  EXPECT_EQ(GenerateFace(db, {.stepover = 0.05}).outcome, EditOutcome::Refused);
  EXPECT_EQ(GenerateFace(db, {.cuttingHeight = 10001}).outcome, EditOutcome::Refused);
  EXPECT_EQ(db.recordCount, 0);
}

}  // namespace
}  // namespace fendo
