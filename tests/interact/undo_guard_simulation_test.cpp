#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/progress.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "interact/arc_guard.h"
#include "interact/latched_keys.h"
#include "interact/scripted_input.h"
#include "interact/tool_simulation.h"
#include "interact/undo_commands.h"
#include "view/recording_surface.h"
#include "view/sample_program.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// The edits of these tests: an undo snapshot, then record 1 moves to x = value.
void Edit(ToolpathDatabase& db, double value) {
  PushUndo(db);
  db.ReadRecord(1);
  db.cursor.x = value;
  db.WriteRecord(1);
}

double EditedX(ToolpathDatabase& db) { return db.RecordAt(1)->x; }

struct UndoFixture : ::testing::Test {
  UndoFixture() { Fill(db, {Rec(K::RapidStart, 0, 0, 5), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 5, 0, 0)}); }
  ToolpathDatabase db;
  test::RecordingSurface surface;
};

TEST_F(UndoFixture, TwelveEditsThenTenUndosGoBackNineSteps) {
  for (int k = 1; k <= 12; ++k) Edit(db, k);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_TRUE(UndoCommand(db, surface));
    EXPECT_EQ(EditedX(db), 12 - k) << "the state before edit " << 13 - k;
  }
  EXPECT_FALSE(UndoCommand(db, surface)) << "the tenth slot holds the state the first undo kept";
  EXPECT_EQ(EditedX(db), 3);
  EXPECT_EQ(surface.redraws, 10) << "every command redraws, whether or not it stepped";
}

TEST_F(UndoFixture, RedoBringsBackWhatUndoTookUnlessANewEditCameBetween) {
  Edit(db, 1);
  EXPECT_TRUE(UndoCommand(db, surface));
  EXPECT_EQ(EditedX(db), 0);
  EXPECT_TRUE(RedoCommand(db, surface));
  EXPECT_EQ(EditedX(db), 1);
  EXPECT_FALSE(RedoCommand(db, surface));
  EXPECT_EQ(EditedX(db), 1);

  EXPECT_TRUE(UndoCommand(db, surface));
  Edit(db, 7);
  EXPECT_FALSE(RedoCommand(db, surface)) << "the new edit dropped the redo branch";
  EXPECT_EQ(EditedX(db), 7);
  EXPECT_EQ(surface.redraws, 5);
}

TEST_F(UndoFixture, AnEmptyWorkBufferPushesNothing) {
  ToolpathDatabase empty;
  EXPECT_FALSE(PushUndo(empty));
  EXPECT_EQ(empty.undoPos(), 0);
  EXPECT_FALSE(UndoCommand(empty, surface));
}

struct NoProgress : Progress {
  void Report(std::string_view, std::int64_t, std::int64_t) override {}
};

bool HasArc(ToolpathDatabase& db) {
  for (int i = 0; i < db.recordCount; ++i) {
    if (IsArcKind(db.RecordAt(i)->kind)) return true;
  }
  return false;
}

TEST(ArcGuard, AsksOnlyWhenThereAreArcsAndConvertsThemOnOk) {
  NoProgress progress;
  const std::string question =
      "Error message:  Arc(G02, G03)가 발련되었습니다.  Arc(G02, G03)을 G01로 변환해하겠습니까?";

  ToolpathDatabase lines;
  Fill(lines, {Rec(K::RapidStart, 0, 0, 5), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 5, 0, 0)});
  test::ScriptedPrompts silent;
  EXPECT_TRUE(ArcGuard(lines, silent, progress));
  EXPECT_TRUE(silent.messages.empty());

  ToolpathDatabase db;
  test::FillThreePaths(db);
  const std::vector<std::string> before = test::Records(db);
  test::ScriptedPrompts cancel;
  cancel.okAnswers = {false};
  EXPECT_FALSE(ArcGuard(db, cancel, progress));
  EXPECT_EQ(cancel.messages, std::vector<std::string>{question});
  EXPECT_EQ(test::Records(db), before) << "Cancel leaves the arcs";

  test::ScriptedPrompts ok;
  ok.okAnswers = {true};
  EXPECT_TRUE(ArcGuard(db, ok, progress));
  EXPECT_EQ(ok.messages, std::vector<std::string>{question});
  EXPECT_FALSE(HasArc(db));
  EXPECT_GT(db.recordCount, static_cast<int>(before.size())) << "the quarter arc became several moves";
  const ToolpathRecord& last = *db.RecordAt(db.recordCount - 1);
  EXPECT_EQ(last.kind, K::RapidStart) << "the program still ends on its retract";

  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::Records(db), before) << "the arcs can be had back";
}

TEST(LatchedKeys, ATapBetweenTwoPollsCountsOnceAndAHeldKeyStaysDown) {
  LatchedKeys keys;
  EXPECT_FALSE(keys.IsDown(Key::Space));
  keys.Press(Key::Space);
  keys.Release(Key::Space);
  keys.Press(Key::Space);
  keys.Release(Key::Space);
  EXPECT_TRUE(keys.IsDown(Key::Space)) << "two taps since the last poll read as one press";
  keys.TakeSnapshot();
  EXPECT_FALSE(keys.IsDown(Key::Space));

  keys.Press(Key::LeftButton);
  keys.TakeSnapshot();
  keys.TakeSnapshot();
  EXPECT_TRUE(keys.IsDown(Key::LeftButton)) << "held through polls";
  keys.Release(Key::LeftButton);
  EXPECT_FALSE(keys.IsDown(Key::LeftButton)) << "its press was already seen";

  keys.Press(Key::Esc);
  keys.Press(Key::Enter);
  keys.TakeSnapshot();
  keys.ReleaseAll();
  EXPECT_FALSE(keys.IsDown(Key::Esc));
  EXPECT_FALSE(keys.IsDown(Key::Enter));

  keys.Press(static_cast<Key>(500));
  keys.Press(Key::None);
  EXPECT_FALSE(keys.IsDown(static_cast<Key>(500)));
  EXPECT_FALSE(keys.IsDown(Key::None));
}

// A straight line along x in the top view, one pixel per mm: motion records at x = 0, 0, 0,
// 1, 2.5, 10, 11, 20 and 40 (records 0 … 8).
struct SimulationFixture : ::testing::Test {
  SimulationFixture() {
    Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::Rapid, 0, 0, 1), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 1, 0, 0),
              Rec(K::Feed, 2.5, 0, 0), Rec(K::Feed, 10, 0, 0), Rec(K::Feed, 11, 0, 0), Rec(K::Feed, 20, 0, 0),
              Rec(K::Feed, 40, 0, 0)});
  }
  ToolpathDatabase db;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  test::ScriptedInput input;
  ViewInput viewInput{db, view, options, surface, input};
};

TEST_F(SimulationFixture, TheToolIsDrawnWhereItMovedMoreThanTwoPixels) {
  input.Idle(10);
  EXPECT_TRUE(RunToolSimulation(viewInput, input));
  EXPECT_EQ(surface.tools, (std::vector<int>{0, 4, 5, 7, 8}));
  EXPECT_EQ(surface.redraws, 1);
  EXPECT_EQ(surface.prompts.front(), "도움말: 도움말:  ESC : 중지,  RETURN : 연속이동 ,  SPACE : 1 포인트 이동.");
  EXPECT_EQ(surface.prompts.back(), "도움말:  ");
  EXPECT_FALSE(viewInput.KeyDown(Key::End)) << "the debounce timer runs";
}

TEST_F(SimulationFixture, EscStopsTheTool) {
  input.Idle(2).Hold({Key::Esc});
  EXPECT_FALSE(RunToolSimulation(viewInput, input));
  EXPECT_EQ(surface.tools, (std::vector<int>{0, 4}));
  EXPECT_EQ(surface.redraws, 1);
  EXPECT_EQ(surface.prompts.back(), "도움말:  ");
}

TEST_F(SimulationFixture, SpaceHaltsAndStepsEveryRecordAndEnterRunsOn) {
  input.Idle().Hold({Key::Space}).Idle().Hold({Key::Space}).Hold({Key::Space}).Hold({Key::Enter}).Idle(10);
  EXPECT_TRUE(RunToolSimulation(viewInput, input));
  EXPECT_EQ(surface.tools, (std::vector<int>{0, 1, 2, 4, 5, 7, 8}))
      << "halted at 0; single steps to 1 and 2 though they lie on the same pixel";
  EXPECT_FALSE(input.ranOut);

  test::ScriptedInput stopHalted;
  stopHalted.Idle().Hold({Key::Space}).Idle(3).Hold({Key::Esc});
  surface.tools.clear();
  EXPECT_FALSE(RunToolSimulation(viewInput, stopHalted));
  EXPECT_EQ(surface.tools, std::vector<int>{0});
  EXPECT_EQ(stopHalted.sleeps, (std::vector<int>{10, 50, 50, 50, 50}))
      << "running, a step every 10 ms; halted, the polls come 50 ms apart";
}

}  // namespace
}  // namespace fendo
