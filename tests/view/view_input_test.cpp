#include "view/view_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "view/fit_view.h"
#include "view/recording_surface.h"
#include "view/selection.h"
#include "view/sample_program.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::FillThreePaths;
using test::Rec;
using K = MoveKind;

MouseEvent At(double x, double y, bool shift = false, bool ctrl = false) { return {{x, y}, shift, ctrl}; }

// A top view on the three sample paths.
struct ViewFixture : ::testing::Test {
  ViewFixture() { FillThreePaths(db); }

  bool SameView(const ViewState& other) const {
    return view.angleA == other.angleA && view.angleB == other.angleB && view.angleC == other.angleC &&
           view.scale == other.scale && view.panX == other.panX && view.panY == other.panY;
  }
  ViewState Fitted() const {
    ViewState fitted = view;
    FitView(db, fitted, options);
    return fitted;
  }
  void Drag(bool left, ClientPoint from, ClientPoint to, bool shift = false) {
    MouseEvent e = At(from.x, from.y, shift);
    left ? input.LeftButtonDown(e) : input.RightButtonDown(e);
    e.point = to;
    input.MouseMove(e);
    left ? input.LeftButtonUp(e) : input.RightButtonUp(e);
  }
  int SelectedCount() {
    int n = 0;
    for (int i = 0; i < db.recordCount; ++i) n += db.RecordAt(i)->selected;
    return n;
  }

  mutable ToolpathDatabase db;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  test::ManualTicks ticks;
  ViewInput input{db, view, options, surface, ticks};
};

TEST_F(ViewFixture, AtMostOneMouseModeIsOnAndItsCommandTogglesIt) {
  EXPECT_EQ(input.mouseMode(), MouseMode::Rotate);
  input.TogglePanMode();
  EXPECT_EQ(input.mouseMode(), MouseMode::Pan);
  input.TogglePanMode();
  EXPECT_EQ(input.mouseMode(), MouseMode::None);
  input.ToggleSelectMode();
  EXPECT_EQ(input.mouseMode(), MouseMode::Select);
  input.ToggleRotateMode();
  EXPECT_EQ(input.mouseMode(), MouseMode::Rotate);
}

TEST_F(ViewFixture, ARightClickOrAThinRightDragFitsAndAWideOneZooms) {
  view.panX = 500;  // scrolled away from the paths
  const ViewState fitted = Fitted();
  Drag(false, {50, 50}, {50, 50});
  EXPECT_TRUE(SameView(fitted));
  EXPECT_EQ(surface.redraws, 1);

  view.panX = 500;
  Drag(false, {50, 0}, {55, 200});
  EXPECT_TRUE(SameView(fitted)) << "a 5 × 200 drag fits: both axes must exceed 10 pixels";

  ViewState zoomed = view;
  ZoomWindow(zoomed, {20, 30}, {120, 80});
  Drag(false, {20, 30}, {120, 80});
  EXPECT_TRUE(SameView(zoomed));
  EXPECT_FALSE(surface.rubberBand) << "the rubber band goes with the release";
}

TEST_F(ViewFixture, ALeftDragRotatesOnlyBeyondTheThreshold) {
  const ViewState before = view;
  Drag(true, {100, 100}, {104, 103});
  EXPECT_TRUE(SameView(before)) << "2 and 1.5 degrees change nothing";
  EXPECT_EQ(surface.redraws, 0);

  Drag(true, {100, 100}, {120, 100});
  EXPECT_EQ(view.angleC, 10);
  EXPECT_EQ(view.angleA, 0);
  EXPECT_EQ(surface.redraws, 2) << "one while dragging, one at the release";
}

TEST_F(ViewFixture, AShiftDragOrPanModePansTheViewWithTheMouse) {
  view.scale = 2;
  Drag(true, {100, 100}, {140, 80}, true);
  EXPECT_EQ(view.panX, -20);
  EXPECT_EQ(view.panY, 10);
  EXPECT_EQ(view.angleC, 0) << "no rotation with Shift held";

  input.TogglePanMode();
  view.scale = 100;  // a pixel is a hundredth of a mm: the pan moves only once a whole mm is dragged
  input.LeftButtonDown({{100, 100}});
  for (int x = 99; x >= 0; --x) input.MouseMove({{static_cast<double>(x), 100}});
  input.LeftButtonUp({{0, 100}});
  EXPECT_EQ(view.panX, -19) << "100 pixels at 100 pixels per mm";
}

TEST_F(ViewFixture, LargeProgramsShowOnlyTheirBoxWhileDragged) {
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 5)};
  for (int i = 1; i < 6000; ++i) records.push_back(Rec(K::Feed, static_cast<float>(i % 50), 0, 0));
  test::Fill(db, records);
  input.LeftButtonDown({{100, 100}});
  input.MouseMove({{120, 100}});
  input.MouseMove({{140, 100}});
  EXPECT_EQ(surface.dragFrames, 2);
  EXPECT_EQ(surface.redraws, 0);
  input.LeftButtonUp({{140, 100}});
  EXPECT_EQ(surface.redraws, 1) << "the toolpaths come back at the release";
}

TEST_F(ViewFixture, SelectModeDragsARubberBandAndSelectsOnRelease) {
  input.ToggleSelectMode();
  input.LeftButtonDown({{60, 125}});
  input.MouseMove({{125, 155}});
  ASSERT_TRUE(surface.rubberBand);
  EXPECT_EQ(surface.rubberBand->second.x, 125);
  input.LeftButtonUp({{125, 155}});
  EXPECT_FALSE(surface.rubberBand);
  EXPECT_EQ(SelectedCount(), 2) << "the cut and the arc of path B";

  input.LeftButtonDown({{60, 125}});
  input.LeftButtonUp(At(125, 155, true));
  EXPECT_EQ(SelectedCount(), 2) << "path B toggled whole: 4 records, two of which were selected";
  EXPECT_EQ(view.angleC, 0);
}

TEST_F(ViewFixture, ACtrlClickPicksAndMarksTheMoveOrWithShiftThePath) {
  input.LeftButtonDown(At(100, 52, false, true));
  input.LeftButtonUp(At(101, 53, false, true));
  ASSERT_TRUE(surface.highlight);
  EXPECT_EQ(*surface.highlight, (Highlight{Highlight::Shape::Segment, 3, 4}));
  EXPECT_EQ(surface.Pane(ViewStatusPane::Point), " X50.000 Y50.000 Z 0.000");
  EXPECT_EQ(SelectedCount(), 1) << "the click selects within its 10 × 10 box as well";

  input.LeftButtonDown(At(114, 144, true, true));
  input.LeftButtonUp(At(114, 144, true, true));
  ASSERT_TRUE(surface.highlight);
  EXPECT_EQ(*surface.highlight, (Highlight{Highlight::Shape::Path, 6, 10}));

  surface.highlight.reset();
  input.LeftButtonDown(At(20, 100, false, true));
  input.LeftButtonUp(At(20, 100, false, true));
  EXPECT_FALSE(surface.highlight) << "nothing under the mouse";
}

TEST_F(ViewFixture, ADoubleClickEndsTheDragWithoutARelease) {
  input.ToggleSelectMode();
  input.LeftButtonDown({{60, 125}});
  input.LeftDoubleClick({{60, 125}});
  input.LeftButtonUp({{125, 155}});
  EXPECT_EQ(SelectedCount(), 0);
  EXPECT_EQ(surface.redraws, 0);
}

TEST_F(ViewFixture, EveryMoveShowsTheModelPointUnderTheMouse) {
  input.MouseMove({{130, 90}});
  EXPECT_EQ(surface.Pane(ViewStatusPane::X), "X:30.000");
  EXPECT_EQ(surface.Pane(ViewStatusPane::Y), "Y:10.000");
  EXPECT_EQ(surface.Pane(ViewStatusPane::Z), "Z:0.000");
  input.ShowDirection(ViewDirection::Iso1);
  input.MouseMove({{130, 90}});
  EXPECT_EQ(surface.Pane(ViewStatusPane::X), "");
}

TEST_F(ViewFixture, KeysPanTurnAndInSelectModeWorkOnTheSelection) {
  EXPECT_TRUE(input.KeyDown(Key::Left));
  EXPECT_EQ(view.panX, 11);
  view.angleB = 10;
  input.KeyDown(Key::End);
  input.KeyDown(Key::End);
  EXPECT_EQ(view.angleB, 350);
  input.KeyDown(Key::F2);
  EXPECT_EQ(view.angleA, 270);

  SelectInWindow(db, view, {0, 0}, {200, 200});
  int deletes = 0;
  input.deleteSelection = [&deletes] { ++deletes; };
  EXPECT_FALSE(input.KeyDown(Key::Enter)) << "rotate mode: the selection keys do nothing";
  EXPECT_FALSE(input.KeyDown(Key::Backspace));
  input.ToggleSelectMode();
  EXPECT_TRUE(input.KeyDown(Key::Enter));
  EXPECT_EQ(deletes, 1);
  const int selected = SelectedCount();
  ASSERT_GT(selected, 0);
  EXPECT_TRUE(input.KeyDown(Key::Space));
  EXPECT_EQ(SelectedCount(), 0);
  EXPECT_FALSE(input.KeyDown(Key::Space)) << "nothing left to clear";
  EXPECT_FALSE(input.KeyDown(Key::Enter)) << "nothing left to delete";
  EXPECT_TRUE(input.KeyDown(Key::Backspace));
  EXPECT_EQ(SelectedCount(), 14) << "inverting selects every motion record";
  EXPECT_EQ(deletes, 1);
}

TEST_F(ViewFixture, TheWheelZoomsOrInRotateModeTurns) {
  input.Wheel(120);
  EXPECT_EQ(view.angleC, 5);
  EXPECT_EQ(view.scale, 1);
  input.TogglePanMode();
  input.Wheel(120);
  EXPECT_DOUBLE_EQ(view.scale, 1.1);
}

TEST_F(ViewFixture, NothingIsTakenWithinASecondOfALoopsEnd) {
  ticks.now = 5000;
  { const ViewInput::LoopScope loop(input); }
  EXPECT_EQ(surface.Pane(ViewStatusPane::Prompt), "도움말:  ");
  ticks.now = 5999;
  const ViewState before = view;
  EXPECT_FALSE(input.KeyDown(Key::End));
  input.ShowDirection(ViewDirection::Front);
  input.ZoomIn();
  input.Wheel(120);
  Drag(false, {0, 0}, {0, 0});
  input.MouseMove({{130, 90}});
  EXPECT_TRUE(SameView(before));
  EXPECT_EQ(surface.redraws, 0);
  EXPECT_EQ(surface.Pane(ViewStatusPane::X), "");

  ticks.now = 6000;
  EXPECT_TRUE(input.KeyDown(Key::End));
  EXPECT_EQ(view.angleB, 350);
}

TEST_F(ViewFixture, CentringOnARecordPutsItInTheMiddle) {
  input.CentreOnRecord(13);
  EXPECT_EQ(view.panX, 60);
  EXPECT_EQ(view.panY, -30);
  EXPECT_EQ(surface.redraws, 1);
  input.CentreOnRecord(9);
  EXPECT_EQ(view.panX, 60) << "a centre record has no position to show";
}

}  // namespace
}  // namespace fendo
