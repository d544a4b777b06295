#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "interact/input_source.h"
#include "interact/path_loop.h"
#include "interact/region_input.h"
#include "interact/scripted_input.h"
#include "view/recording_surface.h"
#include "view/sample_program.h"
#include "view/selection.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::ScriptedInput;

constexpr std::string_view kCleared = "도움말:  ";  // the fixed prefix and the clear prompt

// The three sample paths in a top view, with the loops' input driving the view's clock.
struct LoopFixture : ::testing::Test {
  LoopFixture() { test::FillThreePaths(db); }

  ToolpathDatabase db;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  ScriptedInput input;
  ViewInput viewInput{db, view, options, surface, input};
};

TEST(PollInputKey, ReportsTheFirstHeldKeyInTheTablesOrder) {
  struct Case {
    std::set<Key> held;
    Key expected;
  };
  const std::vector<Case> cases = {
      {{}, Key::None},
      {{Key::Enter, Key::Esc}, Key::Esc},
      {{Key::Backspace, Key::Space}, Key::Space},
      {{Key::LeftButton, Key::Shift}, Key::Shift},
      {{Key::F10, Key::RightButton}, Key::RightButton},
      {{Key::Up, Key::F1}, Key::F1},
      {{Key::Left, Key::Down}, Key::Down},
      {{Key::Delete, Key::PageUp}, Key::PageUp},
      {{Key::Delete, Key::Insert}, Key::Insert},
  };
  for (const Case& c : cases) {
    ScriptedInput input;
    input.Hold(c.held);
    EXPECT_EQ(PollInputKey(input), c.expected) << static_cast<int>(c.expected);
  }
}

TEST_F(LoopFixture, PathLoopStepsThroughPathsAndRunsTheActionOnEnter) {
  input.Idle(2).ClickAt({100, 52}).Hold({Key::Space}).Hold({Key::Space}).Hold({Key::Space}).Hold({Key::Backspace});
  input.Idle().Hold({Key::Enter});
  std::vector<PathSpan> acted;
  EXPECT_TRUE(RunPathLoop(viewInput, input, [&acted](const PathSpan& path) { acted.push_back(path); }));
  EXPECT_FALSE(input.ranOut);
  EXPECT_EQ(acted, (std::vector<PathSpan>{{6, 10}}));
  const auto path = [](int first, int end) { return Highlight{Highlight::Shape::Path, first, end}; };
  EXPECT_EQ(surface.highlightsShown, (std::vector<Highlight>{path(2, 4), path(6, 10), path(12, 14), path(6, 10)}))
      << "the last path stays when SPACE finds no further one";
  EXPECT_FALSE(surface.highlight) << "the mark goes before the action runs";
  EXPECT_EQ(surface.prompts, (std::vector<std::string>{
                                 "도움말: 도움말: 마우스 왼쪽 버든으로 경로를 선택하시요.",
                                 "도움말:  도움말: ENTER(실행), ESC(취소), BACK(뒤로 이동), SPACE(앞으로 이동)",
                                 std::string(kCleared)}));
  for (const int ms : input.sleeps) EXPECT_EQ(ms, kPollMilliseconds);
}

TEST_F(LoopFixture, EscBeforeThePickLeavesEverythingAndTheViewWaitsASecond) {
  const std::vector<std::string> before = test::Records(db);
  input.Idle(3).Hold({Key::Esc});
  bool acted = false;
  EXPECT_FALSE(RunPathLoop(viewInput, input, [&acted](const PathSpan&) { acted = true; }));
  EXPECT_FALSE(acted);
  EXPECT_EQ(test::Records(db), before);
  EXPECT_EQ(surface.Pane(ViewStatusPane::Prompt), kCleared);

  view.angleB = 10;
  EXPECT_FALSE(viewInput.KeyDown(Key::End)) << "the key that ended the loop is not taken again";
  input.ticks += 999;
  EXPECT_FALSE(viewInput.KeyDown(Key::End));
  input.ticks += 1;
  EXPECT_TRUE(viewInput.KeyDown(Key::End));
  EXPECT_EQ(view.angleB, 0);
}

TEST_F(LoopFixture, APickThatHitsNothingEndsTheLoop) {
  input.ClickAt({20, 100}).Hold({Key::Enter});
  bool acted = false;
  EXPECT_FALSE(RunPathLoop(viewInput, input, [&acted](const PathSpan&) { acted = true; }));
  EXPECT_FALSE(acted);
  EXPECT_TRUE(surface.highlightsShown.empty());
  EXPECT_EQ(surface.Pane(ViewStatusPane::Prompt), kCleared);
}

TEST_F(LoopFixture, EscAfterThePickRemovesTheMark) {
  input.ClickAt({100, 52}).Hold({Key::Esc});
  EXPECT_FALSE(RunPathLoop(viewInput, input, [](const PathSpan&) { FAIL(); }));
  EXPECT_EQ(surface.highlightsShown.size(), 1u);
  EXPECT_FALSE(surface.highlight);
}

TEST_F(LoopFixture, TheViewKeysWorkInsideTheLoopButNotTheSelectionKeys) {
  viewInput.ToggleSelectMode();
  SelectInWindow(db, view, {90, 40}, {110, 60});
  int deletes = 0;
  viewInput.deleteSelection = [&deletes] { ++deletes; };
  // Pick phase: an arrow pans, Backspace and Enter leave the selection alone.
  input.Hold({Key::Left}).Hold({Key::Backspace}, 3).Hold({Key::Enter});
  // Step phase: an arrow pans and the mark comes back after the redraw.
  input.ClickAt({111, 52}).Hold({Key::Right}).Hold({Key::Esc});
  EXPECT_FALSE(RunPathLoop(viewInput, input, [](const PathSpan&) { FAIL(); }));
  EXPECT_EQ(view.panX, 0) << "left then right";
  EXPECT_EQ(surface.redraws, 2);
  EXPECT_EQ(deletes, 0);
  EXPECT_TRUE(AnySelected(db));
  EXPECT_EQ(db.RecordAt(3)->selected, 1) << "not inverted three times over";
  EXPECT_EQ(surface.highlightsShown.size(), 2u);
}

TEST_F(LoopFixture, PointLoopStepsThroughMotionRecords) {
  input.ClickAt({100, 52}).Hold({Key::Space}).Hold({Key::Backspace}).Hold({Key::Backspace}).Hold({Key::Enter});
  std::vector<int> acted;
  EXPECT_TRUE(RunPointLoop(viewInput, input, [&acted](int record) { acted.push_back(record); }, kStepPointsPrompt));
  EXPECT_EQ(acted, std::vector<int>{2});
  std::vector<int> marked;
  for (const Highlight& h : surface.highlightsShown) marked.push_back(h.first);
  EXPECT_EQ(marked, (std::vector<int>{3, 4, 3, 2}));
  EXPECT_EQ(surface.Pane(ViewStatusPane::G), "G01");
  EXPECT_EQ(surface.Pane(ViewStatusPane::X), "X:-50.000");
  EXPECT_EQ(surface.Pane(ViewStatusPane::F), "F: 200");
  EXPECT_EQ(surface.prompts[1], "도움말:  도움말: ESC(취소), BACK(전 포인트), SPACE(앞 포인트)");
}

TEST_F(LoopFixture, AWindowIsDraggedBetweenItsCorners) {
  input.Idle(2).MoveTo({10, 20}).Hold({Key::LeftButton}).MoveTo({50, 60}).Hold({Key::LeftButton});
  input.MoveTo({80, 90}).Idle();
  const std::optional<ScreenWindow> window = RunWindowInput(viewInput, input);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->first.x, 10);
  EXPECT_EQ(window->first.y, 20);
  EXPECT_EQ(window->second.x, 80);
  EXPECT_EQ(window->second.y, 90);
  EXPECT_FALSE(surface.rubberBand);
  EXPECT_EQ(surface.prompts.front(), "도움말: 도움말: (ESC : 취소) 마우스 왼쪽 버튼을 누른체 이동후 버튼을 띠시오.");
  EXPECT_EQ(surface.prompts.back(), kCleared);

  ScriptedInput escape;
  escape.MoveTo({10, 20}).Hold({Key::LeftButton}).Hold({Key::LeftButton, Key::Esc});
  EXPECT_FALSE(RunWindowInput(viewInput, escape));
  EXPECT_FALSE(surface.rubberBand);
}

TEST_F(LoopFixture, PolygonVerticesAreClickedAndClosedWithEnter) {
  input.ClickAt({10, 10}).ClickAt({10.4, 10.6}).MoveTo({50, 10}).Hold({Key::LeftButton}, 3).Idle();
  input.ClickAt({50, 50}).Hold({Key::Enter});
  const std::optional<std::vector<ClientPoint>> polygon = RunPolygonInput(viewInput, input);
  ASSERT_TRUE(polygon);
  ASSERT_EQ(polygon->size(), 3u) << "the same pixel again and a held button add nothing";
  EXPECT_EQ((*polygon)[1].x, 50);
  EXPECT_EQ((*polygon)[2].y, 50);
  EXPECT_EQ(surface.polygonUpdates, 4) << "shown as each vertex comes, hidden at the end";
  EXPECT_TRUE(surface.polygon.empty());
  EXPECT_EQ(surface.prompts.front(),
            "도움말: 도움말: (ESC : 취소, ENTER : 닫기)마우스 왼쪽 버든으로 다각형을 그리시오.");
}

TEST_F(LoopFixture, PolygonsAreCancelledByEscTooFewVerticesOrAHundredth) {
  ScriptedInput twoVertices;
  twoVertices.ClickAt({10, 10}).ClickAt({20, 10}).Hold({Key::Enter});
  EXPECT_FALSE(RunPolygonInput(viewInput, twoVertices));

  ScriptedInput escape;
  escape.ClickAt({10, 10}).ClickAt({20, 10}).ClickAt({20, 20}).Hold({Key::Esc});
  EXPECT_FALSE(RunPolygonInput(viewInput, escape));

  ScriptedInput most;
  ScriptedInput tooMany;
  for (int k = 0; k < kMostPolygonVertices; ++k) {
    most.ClickAt({static_cast<double>(k), 0});
    tooMany.ClickAt({static_cast<double>(k), 0});
  }
  most.Hold({Key::Enter});
  tooMany.ClickAt({150, 150}).Hold({Key::Enter});
  const std::optional<std::vector<ClientPoint>> polygon = RunPolygonInput(viewInput, most);
  ASSERT_TRUE(polygon);
  EXPECT_EQ(polygon->size(), 99u);
  EXPECT_FALSE(RunPolygonInput(viewInput, tooMany));
  EXPECT_FALSE(tooMany.ranOut) << "cancelled at the click, not by running out of script";
}

}  // namespace
}  // namespace fendo
