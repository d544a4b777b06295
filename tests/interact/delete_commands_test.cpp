#include "interact/delete_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"
#include "edit/edit_commit.h"
#include "interact/scripted_input.h"
#include "view/recording_surface.h"
#include "view/sample_program.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::ScriptedInput;

// The three sample paths in a top view, with the commands' input driving the view's clock.
struct DeleteCommandFixture : ::testing::Test {
  DeleteCommandFixture() {
    test::FillThreePaths(db);
    db.safeZ = 10;
    before = CopyRecords(db);
  }

  // A window dragged from a to b.
  void Drag(ClientPoint a, ClientPoint b) { input.MoveTo(a).Hold({Key::LeftButton}).MoveTo(b).Idle(); }
  bool Deleted(int i) { return db.RecordAt(i)->kind == MoveKind::None; }

  ToolpathDatabase db;
  std::vector<ToolpathRecord> before;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  test::ScriptedPrompts prompts;
  ScriptedInput input;
  ViewInput viewInput{db, view, options, surface, input};
};

TEST_F(DeleteCommandFixture, WindowsUntilEscShareOneUndoStep) {
  Drag({140, 60}, {170, 140});  // the third path
  Drag({20, 20}, {30, 30});     // nothing
  Drag({140, 40}, {160, 60});   // the end of the first path
  input.Hold({Key::Esc});
  RunDeleteInWindow(viewInput, input, prompts);
  EXPECT_FALSE(input.ranOut);
  EXPECT_EQ(test::CutMoves(db), (std::vector<std::string>{"-50 50 1 > -50 50 0 G3 F200", "-50 -50 10 > -50 -50 0 G3 F200",
                                                          "-50 -50 0 > 0 -50 0 G4 F200", "0 -50 0 > 20 -30 0 G6 F200"}));
  EXPECT_EQ(surface.redraws, 2) << "each window that changed something is shown when it is done";
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_TRUE(test::HoldsRecords(db, before)) << "one undo takes back every window";
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DeleteCommandFixture, APolygonDeletesOnceEscOrTooFewVerticesNothing) {
  input.ClickAt({90, 40}).ClickAt({110, 40}).Hold({Key::Esc});
  RunDeleteInPolygon(viewInput, input, prompts);
  EXPECT_TRUE(test::HoldsRecords(db, before));
  EXPECT_EQ(db.undoPos(), 0);

  ScriptedInput polygon;
  polygon.ClickAt({140, 40}).ClickAt({160, 40}).ClickAt({160, 60}).ClickAt({140, 60}).Hold({Key::Enter});
  RunDeleteInPolygon(viewInput, polygon, prompts);
  EXPECT_EQ(test::CutMoves(db).front(), "-50 50 1 > -50 50 0 G3 F200") << "the first path keeps its plunge only";
  EXPECT_EQ(test::CutMoves(db).size(), 6u);
  EXPECT_EQ(db.undoPos(), 1);
}

TEST_F(DeleteCommandFixture, APickedPathGoesWithItsApproach) {
  input.ClickAt({75, 150}).Hold({Key::Enter});
  EXPECT_TRUE(RunPathDelete(viewInput, input));
  for (int i = 5; i <= 9; ++i) EXPECT_TRUE(Deleted(i)) << i;
  EXPECT_FALSE(Deleted(4));
  EXPECT_EQ(db.RecordAt(10)->kind, MoveKind::RapidStart);
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(surface.Pane(ViewStatusPane::Prompt), "도움말:  ");
}

TEST_F(DeleteCommandFixture, APickedPointGoesAndEscDeletesNothing) {
  input.ClickAt({100, 52}).Hold({Key::Enter});
  EXPECT_TRUE(RunPointDelete(viewInput, input));
  EXPECT_TRUE(Deleted(3));
  EXPECT_EQ(db.undoPos(), 1);

  ScriptedInput escape;
  escape.ClickAt({75, 150}).Hold({Key::Esc});
  EXPECT_FALSE(RunPathDelete(viewInput, escape));
  EXPECT_FALSE(Deleted(6));
  EXPECT_EQ(db.undoPos(), 1);
}

}  // namespace
}  // namespace fendo
