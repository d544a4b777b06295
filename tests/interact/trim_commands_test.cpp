#include "interact/trim_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"
#include "edit/edit_commit.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "interact/scripted_input.h"
#include "interact/trim_input.h"
#include "support/temp_dir.h"
#include "view/recording_surface.h"
#include "view/sample_program.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::ScriptedInput;

const std::string kCancelAsked = "Error message: Trim 작업을 취소 하겠습니까?";

class NoProgress : public Progress {
 public:
  void Report(std::string_view, std::int64_t, std::int64_t) override { ++reports; }
  int reports = 0;
};

// The three sample paths (view/sample_program.h) in a top view of 200 × 200 pixels at one
// pixel a millimetre: client (x, y) is model (x − 100, 100 − y).
struct TrimCommandFixture : ::testing::Test {
  TrimCommandFixture() {
    test::FillThreePaths(db);
    db.safeZ = 10;
    before = CopyRecords(db);
  }

  // A window dragged from a to b.
  static void Drag(ScriptedInput& script, ClientPoint a, ClientPoint b) {
    script.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Hold({Key::LeftButton}).Idle();
  }
  // The sample program beside the view's, for the engine to give what the command must.
  std::unique_ptr<ToolpathDatabase> Expected() { return ScratchStore(db, before); }
  bool Unchanged() { return test::HoldsRecords(db, before); }
  static bool Same(ToolpathDatabase& a, ToolpathDatabase& b) { return test::HoldsRecords(a, CopyRecords(b)); }

  ToolpathDatabase db;
  std::vector<ToolpathRecord> before;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  test::ScriptedPrompts prompts;
  NoProgress progress;
  ScriptedInput input;
  ViewInput viewInput{db, view, options, surface, input};
};

TEST_F(TrimCommandFixture, TopViewWindowsTrimModelRectanglesUntilEscUnderOneUndoStep) {
  auto expected = Expected();
  Drag(input, {90, 40}, {110, 60});    // the middle of path A: x −10 … 10, y 40 … 60
  Drag(input, {20, 20}, {30, 30});     // nothing there
  Drag(input, {180, 140}, {140, 120});  // the start of path C, corners in the other order
  input.Hold({Key::Esc});
  RunWindowInsideTrim(viewInput, input, prompts, progress);
  EXPECT_FALSE(input.ranOut);

  ASSERT_EQ(TrimRegion(*expected, *RectangleBoundary(-10, 40, 10, 60), TrimSide::Inside), EditOutcome::Changed);
  ASSERT_EQ(TrimRegion(*expected, *RectangleBoundary(80, -40, 40, -20), TrimSide::Inside, UndoStep::Skip),
            EditOutcome::Changed);
  EXPECT_TRUE(Same(db, *expected));
  EXPECT_EQ(surface.redraws, 2) << "each window that trimmed something is shown at once";
  EXPECT_GT(progress.reports, 0);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_TRUE(Unchanged()) << "one undo takes back every window";
}

TEST_F(TrimCommandFixture, RotatedViewWindowTrimsWhatWasDrawnInsideIt) {
  view = ViewState{.scale = 1, .clientWidth = 200, .clientHeight = 200};  // the default turned view
  const Projection projection(view);
  // A window around the screen position of the middle of path A.
  const ClientPoint middle = projection.ToClient({0, 50, 0});
  const ClientPoint a{middle.x - 8, middle.y - 8}, b{middle.x + 8, middle.y + 8};
  Drag(input, a, b);
  input.Hold({Key::Esc});
  RunWindowInsideTrim(viewInput, input, prompts, progress);

  auto expected = Expected();
  const std::array<ClientPoint, 4> corners = {{a, {b.x, a.y}, b, {a.x, b.y}}};
  ASSERT_EQ(TrimRegion(*expected, *ScreenPolygonBoundary(corners, view), TrimSide::Inside), EditOutcome::Changed);
  EXPECT_TRUE(Same(db, *expected));
  EXPECT_EQ(db.undoPos(), 1);
}

TEST_F(TrimCommandFixture, ACornerOutsideTheViewAsksWhetherToStop) {
  struct Case {
    const char* name;
    bool ok;                 // the answer to the question
    bool trimmedAfterwards;  // the window dragged after the answer was trimmed
  };
  const Case cases[] = {{"OK ends the command", true, false}, {"Cancel lets the user drag again", false, true}};
  for (const Case& c : cases) {
    ToolpathDatabase one;
    test::FillThreePaths(one);
    one.safeZ = 10;
    ScriptedInput script;
    ViewInput oneView{one, view, options, surface, script};
    test::ScriptedPrompts answers;
    answers.okAnswers = {c.ok};
    Drag(script, {-3, 40}, {110, 60});
    Drag(script, {90, 40}, {110, 60});
    script.Hold({Key::Esc});
    RunWindowInsideTrim(oneView, script, answers, progress);
    EXPECT_EQ(answers.messages, std::vector<std::string>{kCancelAsked}) << c.name;
    EXPECT_EQ(one.undoPos(), c.trimmedAfterwards ? 1 : 0) << c.name;
    EXPECT_EQ(test::HoldsRecords(one, before), !c.trimmedAfterwards) << c.name;
  }
}

TEST_F(TrimCommandFixture, AWindowUnderTwoPixelsEndsTheCommand) {
  Drag(input, {90, 40}, {91, 60});  // one pixel wide
  Drag(input, {90, 40}, {110, 60});
  input.Hold({Key::Esc});
  RunWindowInsideTrim(viewInput, input, prompts, progress);
  EXPECT_TRUE(Unchanged()) << "the window after the thin one is never taken";
  EXPECT_EQ(db.undoPos(), 0);

  ScriptedInput low;
  Drag(low, {90, 40}, {110, 41});
  RunWindowOutsideTrim(viewInput, low, prompts, progress);
  EXPECT_TRUE(Unchanged());
  EXPECT_FALSE(low.ranOut);
}

TEST_F(TrimCommandFixture, TheOutsideWindowTrimsOnceAndEndsQuietlyOnACornerOutsideTheView) {
  Drag(input, {40, -2}, {160, 60});
  RunWindowOutsideTrim(viewInput, input, prompts, progress);
  EXPECT_TRUE(Unchanged());
  EXPECT_TRUE(prompts.messages.empty()) << "no question: the command simply ends";

  ScriptedInput once;
  Drag(once, {40, 40}, {160, 60});
  Drag(once, {20, 20}, {30, 30});
  RunWindowOutsideTrim(viewInput, once, prompts, progress);
  auto expected = Expected();
  ASSERT_EQ(TrimRegion(*expected, *RectangleBoundary(-60, 60, 60, 40), TrimSide::Outside), EditOutcome::Changed);
  EXPECT_TRUE(Same(db, *expected));
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(surface.redraws, 1);
}

// A polygon around the middle of path A, and where the clicks for it go.
const std::vector<ClientPoint> kPolygon = {{90, 40}, {110, 40}, {110, 60}, {90, 60}};

TEST_F(TrimCommandFixture, APolygonClosedWithEnterOrEscIsTrimmedInScreenPixels) {
  struct Case {
    const char* name;
    Key closing;
    TrimSide removed;
  };
  const Case cases[] = {{"ENTER, inside", Key::Enter, TrimSide::Inside},
                        {"ESC, inside", Key::Esc, TrimSide::Inside},
                        {"ENTER, outside", Key::Enter, TrimSide::Outside}};
  for (const Case& c : cases) {
    auto one = Expected();
    ScriptedInput script;
    ViewInput oneView{*one, view, options, surface, script};
    for (ClientPoint p : kPolygon) script.ClickAt(p);
    script.ClickAt({93, 63});  // under five pixels from the last vertex: not taken
    script.Hold({c.closing});
    RunPolygonTrim(oneView, script, prompts, progress, c.removed);
    EXPECT_FALSE(script.ranOut) << c.name;
    auto expected = Expected();
    ASSERT_EQ(TrimRegion(*expected, *ScreenPolygonBoundary(kPolygon, view), c.removed), EditOutcome::Changed) << c.name;
    EXPECT_TRUE(Same(*one, *expected)) << c.name;
    EXPECT_TRUE(surface.polygon.empty()) << "the drawn polygon is taken off the screen";
  }
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(TrimCommandFixture, APolygonThatCannotBeTrimmedWithChangesNothing) {
  struct Case {
    const char* name;
    std::vector<ClientPoint> clicks;
    std::deque<bool> answers;  // to the question of a vertex outside the view
    bool asked;
  };
  std::vector<ClientPoint> tooMany;
  for (int k = 0; k < kMostTrimPolygonVertices + 1; ++k) tooMany.push_back({10.0 + (k % 30) * 6, 10.0 + (k / 30) * 6});
  const Case cases[] = {
      {"two vertices", {{90, 40}, {110, 40}}, {}, false},
      {"a vertex outside the view, OK", {{90, 40}, {110, 40}, {110, -1}, {90, 60}}, {true}, true},
      {"a 300th vertex", tooMany, {}, false},
  };
  for (const Case& c : cases) {
    ScriptedInput script;
    for (ClientPoint p : c.clicks) script.ClickAt(p);
    script.Hold({Key::Enter});
    test::ScriptedPrompts answers;
    answers.okAnswers = c.answers;
    RunPolygonTrim(viewInput, script, answers, progress, TrimSide::Inside);
    EXPECT_TRUE(Unchanged()) << c.name;
    EXPECT_EQ(db.undoPos(), 0) << c.name;
    EXPECT_EQ(answers.messages.size(), c.asked ? 1u : 0u) << c.name;
  }
}

TEST_F(TrimCommandFixture, CancelDropsAVertexOutsideTheViewAndDrawingGoesOn) {
  input.ClickAt(kPolygon[0]).ClickAt(kPolygon[1]).ClickAt({-4, 50}).ClickAt(kPolygon[2]).ClickAt(kPolygon[3]);
  input.Hold({Key::Enter});
  prompts.okAnswers = {false};
  RunPolygonTrim(viewInput, input, prompts, progress, TrimSide::Inside);
  EXPECT_EQ(prompts.messages, std::vector<std::string>{kCancelAsked});
  auto expected = Expected();
  ASSERT_EQ(TrimRegion(*expected, *ScreenPolygonBoundary(kPolygon, view), TrimSide::Inside), EditOutcome::Changed);
  EXPECT_TRUE(Same(db, *expected));
}

TEST_F(TrimCommandFixture, APointFileTrimsEachPolygonUnderOneUndoStep) {
  const test::TempDir dir;
  const std::filesystem::path file = dir / "two.poi";
  std::ofstream(file) << "pockets\nSTART\n-10 40 0\n10 40 0\n10 60 0\n-10 60 0\nend\n"
                         "start\n55 -40 0\n65 -40 0\n65 -20 0\n55 -20 0\n";
  ASSERT_EQ(RunPointFileTrim(db, surface, file, TrimSide::Inside, prompts, progress), EditOutcome::Changed);
  std::string error;
  const auto polygons = ReadPointFile(file, error);
  ASSERT_TRUE(polygons);
  ASSERT_EQ(polygons->size(), 2u) << "the last polygon ends with the file";
  auto expected = Expected();
  ASSERT_EQ(TrimPolygons(*expected, *polygons, TrimSide::Inside), EditOutcome::Changed);
  EXPECT_TRUE(Same(db, *expected));
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(surface.redraws, 1);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(TrimCommandFixture, AFileThatCannotBeReadIsRefusedWithNothingChanged) {
  const test::TempDir dir;
  const std::filesystem::path bad = dir / "bad.poi";
  std::ofstream(bad) << "start\n-10 40 0\n10 forty 0\n10 60 0\nend\n";
  struct Case {
    const char* name;
    std::filesystem::path file;
  };
  const Case cases[] = {{"missing", dir / "missing.poi"}, {"a vertex line that is not three numbers", bad}};
  for (const Case& c : cases) {
    test::ScriptedPrompts told;
    EXPECT_EQ(RunPointFileTrim(db, surface, c.file, TrimSide::Outside, told, progress), EditOutcome::Refused) << c.name;
    ASSERT_EQ(told.messages.size(), 1u) << c.name;
    EXPECT_EQ(told.messages[0].rfind("Error message: 화일을 열수 없습니다.\n", 0), 0u) << told.messages[0];
    if (c.file == bad) {
      EXPECT_NE(told.messages[0].find('3'), std::string::npos) << "the bad line is named";
    }
    EXPECT_TRUE(Unchanged()) << c.name;
    EXPECT_EQ(db.undoPos(), 0) << c.name;
  }
}

}  // namespace
}  // namespace fendo
