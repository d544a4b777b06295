#include "view/navigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "view/status_texts.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

TEST(Navigation, TheSevenDirectionsSetTheirAnglesAndKeepZoomAndPan) {
  struct Case {
    ViewDirection direction;
    int a, b, c;
  };
  const std::vector<Case> cases = {
      {ViewDirection::Top, 0, 0, 0},       {ViewDirection::Front, 270, 0, 0}, {ViewDirection::Side, 0, 90, 270},
      {ViewDirection::Iso1, 300, 0, 330},  {ViewDirection::Iso2, 300, 0, 240}, {ViewDirection::Iso3, 300, 0, 150},
      {ViewDirection::Iso4, 300, 0, 60},
  };
  for (const Case& c : cases) {
    ViewState view{.angleA = 17, .angleB = 18, .angleC = 19, .scale = 3, .panX = 4, .panY = 5};
    ShowDirection(view, c.direction);
    EXPECT_EQ(view.angleA, c.a) << static_cast<int>(c.direction);
    EXPECT_EQ(view.angleB, c.b) << static_cast<int>(c.direction);
    EXPECT_EQ(view.angleC, c.c) << static_cast<int>(c.direction);
    EXPECT_EQ(view.scale, 3);
    EXPECT_EQ(view.panX, 4);
    EXPECT_EQ(view.panY, 5);
  }
}

TEST(Navigation, ZoomDoublesAndHalvesWithoutTheFitCapButNeverBelowTheSmallestScale) {
  ViewState view{.scale = 400};
  ZoomIn(view);
  EXPECT_EQ(view.scale, 800) << "the 500 cap belongs to fitting only";
  ZoomOut(view);
  ZoomOut(view);
  EXPECT_EQ(view.scale, 200);

  view.scale = kMinScale;
  ZoomOut(view);
  EXPECT_EQ(view.scale, kMinScale);
  view.scale = 1;
  WheelZoom(view, -10 * 120);  // ten notches back: a factor of 0
  EXPECT_EQ(view.scale, kMinScale);
  SetScale(view, std::nan(""));
  EXPECT_EQ(view.scale, kMinScale);
}

TEST(Navigation, WheelZoomsATenthPerNotchOrTurnsCFiveDegreesWithoutWrapping) {
  ViewState view{.angleC = 358, .scale = 2};
  WheelZoom(view, 120);
  EXPECT_DOUBLE_EQ(view.scale, 2.2);
  WheelZoom(view, -240);
  EXPECT_DOUBLE_EQ(view.scale, 2.2 * 0.8);
  WheelRotate(view, 120);
  EXPECT_EQ(view.angleC, 363);
  WheelRotate(view, -360);
  EXPECT_EQ(view.angleC, 348);
}

TEST(Navigation, ZoomWindowShowsTheWindowCentred) {
  // Top view, 200 × 100 pixels, scale 1, pan 0: client (100, 50) is projected (0, 0).
  ViewState view{.angleA = 0, .angleC = 0, .clientWidth = 200, .clientHeight = 100};
  ASSERT_TRUE(ZoomWindow(view, {150, 70}, {110, 60}));
  EXPECT_DOUBLE_EQ(view.scale, 5) << "min(200 / 40, 100 / 10)";
  EXPECT_EQ(view.panX, 30);
  EXPECT_EQ(view.panY, 15);

  ViewState tiny{.scale = 100, .clientWidth = 200, .clientHeight = 100};
  ASSERT_TRUE(ZoomWindow(tiny, {0, 0}, {2, 2}));
  EXPECT_EQ(tiny.scale, 500) << "capped, like fitting";

  ViewState flat = view;
  EXPECT_FALSE(ZoomWindow(flat, {10, 20}, {60, 20}));
  EXPECT_FALSE(ZoomWindow(flat, {10, 20}, {10, 60}));
  EXPECT_EQ(flat.scale, view.scale);
  EXPECT_EQ(flat.panX, view.panX);
}

TEST(Navigation, KeyTurnsWrapOnceAndArrowStepsAreAboutTenPixels) {
  struct Case {
    int from, by, expected;
  };
  for (const Case& c : std::vector<Case>{{10, -10, 0}, {0, -10, 350}, {355, 10, 5}, {350, 10, 360}, {360, 10, 10}}) {
    int angle = c.from;
    TurnAngle(angle, c.by);
    EXPECT_EQ(angle, c.expected) << c.from << " by " << c.by;
  }
  int b = 10;
  TurnAngle(b, -10);
  TurnAngle(b, -10);
  EXPECT_EQ(b, 350) << "End twice from B = 10";

  EXPECT_EQ(ArrowPanStep(ViewState{.scale = 1}), 11);
  EXPECT_EQ(ArrowPanStep(ViewState{.scale = 0.5}), 21);
  EXPECT_EQ(ArrowPanStep(ViewState{.scale = 100}), 1);
  EXPECT_GT(ArrowPanStep(ViewState{.scale = kMinScale}), 0) << "no overflow at the smallest zoom";
}

TEST(Navigation, DragRotationWaitsForMoreThanTwoDegreesAndWrapsOnce) {
  ViewState view{.angleA = 300, .angleC = 330};
  EXPECT_FALSE(DragRotate(view, 4, 3)) << "2 and 1.5 degrees are within the threshold";
  EXPECT_FALSE(DragRotate(view, -4, -4));
  EXPECT_EQ(view.angleA, 300);
  EXPECT_EQ(view.angleC, 330);

  EXPECT_TRUE(DragRotate(view, 0, 6));
  EXPECT_EQ(view.angleA, 303);
  EXPECT_EQ(view.angleC, 330) << "C moves by 0";

  EXPECT_TRUE(DragRotate(view, 70, 150));
  EXPECT_EQ(view.angleC, 5) << "330 + 35 = 365 wraps to 5";
  EXPECT_EQ(view.angleA, 18) << "303 + 75 = 378 wraps to 18";

  ViewState low{.angleA = 1, .angleC = 1};
  EXPECT_TRUE(DragRotate(low, -7, -7));
  EXPECT_EQ(low.angleA, 358) << "1 − 3.5 = −2.5 is cut to −2, then wrapped";
  EXPECT_EQ(low.angleC, 358);
}

TEST(Navigation, PanMovesByWholeMmAndSaturatesInsteadOfOverflowing) {
  ViewState view{.panX = 5, .panY = -5};
  MovePan(view, 2.9, -2.9);
  EXPECT_EQ(view.panX, 7);
  EXPECT_EQ(view.panY, -7);
  MovePan(view, 0.5, -0.5);
  EXPECT_EQ(view.panX, 7);
  EXPECT_EQ(view.panY, -7) << "half a mm moves neither way, whatever the sign of the pan";
  MovePan(view, 1e300, -1e300);
  EXPECT_GT(view.panX, 0);
  EXPECT_LT(view.panY, 0);
  MovePan(view, 1e300, -1e300);
  EXPECT_GT(view.panX, 0) << "a second huge pan does not wrap around";
  EXPECT_LT(view.panY, 0);
}

TEST(Navigation, CentreOnPutsTheModelPointInTheMiddleOfTheWindow) {
  ViewState view{.angleA = 0, .angleC = 0, .scale = 2, .clientWidth = 300, .clientHeight = 200};
  CentreOn(view, {12.7, 40.2, 9});
  EXPECT_EQ(view.panX, 12);
  EXPECT_EQ(view.panY, -40) << "screen Y grows downwards";
}

TEST(StatusTexts, RecordPanesFollowTheKindOfTheRecord) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1.5, -2.25, 50, 300), Rec(K::FeedStart, 10, 0, -1.0005f, 45),
            Rec(K::ArcCw, 20, 10, -1, 12345), Rec(K::CentreXY, 3, 4, 0), Rec(K::ArcCcw, 0, 0, 0, 800)});
  const auto panes = [&db](int i) {
    const RecordStatusTexts t = RecordStatus(db, i);
    return std::vector<std::string>{t.g, t.x, t.y, t.z, t.r, t.f};
  };
  EXPECT_EQ(panes(0), (std::vector<std::string>{"G00", "X:1.500", "Y:-2.250", "Z:50.000", "", "F:"}));
  EXPECT_EQ(panes(1), (std::vector<std::string>{"G01", "X:10.000", "Y:0.000", "Z:-1.000", "", "F:  45"}));
  EXPECT_EQ(panes(2), (std::vector<std::string>{"G02", "X:20.000", "Y:10.000", "Z:-1.000", "R:5.000", "F:12345"}));
  EXPECT_EQ(panes(4), (std::vector<std::string>{"G03", "X:0.000", "Y:0.000", "Z:0.000", "", "F: 800"}))
      << "an arc without its centre record shows no radius";
  EXPECT_EQ(panes(3)[0], "") << "a centre record is no move";
  EXPECT_EQ(panes(9), (std::vector<std::string>(6))) << "past the end: nothing";
}

TEST(StatusTexts, CoordinateReadOutsUseTheirWidths) {
  EXPECT_EQ(PickedPointText({1.5, -20.25, 123.4567}), " X 1.500 Y-20.250 Z123.457");
  EXPECT_EQ(LiveReadoutText({1, 2, 3}, std::nullopt), "X:1.000  Y:2.000  Z:3.000");
  EXPECT_EQ(LiveReadoutText({-0.0004, 2, 3}, 90), "X:-0.000  Y:2.000  Z:3.000 F:  90") << "as printf rounds";
  const CursorStatusTexts cursor = CursorStatus(Point3{4, 5, 0});
  EXPECT_EQ(cursor.x + cursor.y + cursor.z, "X:4.000Y:5.000Z:0.000");
  const CursorStatusTexts nowhere = CursorStatus(std::nullopt);
  EXPECT_EQ(nowhere.x + nowhere.y + nowhere.z, "") << "no claim of the origin in an isometric view";
}

}  // namespace
}  // namespace fendo
