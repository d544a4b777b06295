#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "interact/reverse_command.h"
#include "interact/scripted_input.h"
#include "interact/start_point_command.h"
#include "interact/z_up_command.h"
#include "view/recording_surface.h"
#include "view/sample_program.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {
namespace {

using test::ScriptedInput;

class NoProgress : public Progress {
 public:
  void Report(std::string_view, std::int64_t, std::int64_t) override {}
};

// The three sample paths in a top view (model (x, y) at client (x + 100, 100 − y)).
struct CommandFixture : ::testing::Test {
  CommandFixture() {
    test::FillThreePaths(db);
    db.safeZ = 10;
  }

  ToolpathDatabase db;
  ViewState view = test::TopView();
  ViewOptions options;
  test::RecordingSurface surface;
  ScriptedInput input;
  ViewInput viewInput{db, view, options, surface, input};
  test::ScriptedPrompts prompts;
  NoProgress progress;
};

TEST_F(CommandFixture, TheMarkingPolygonDropsVerticesNearerThanFivePixels) {
  input.ClickAt({10, 10}).ClickAt({13, 13}).ClickAt({20, 10}).ClickAt({24, 10}).ClickAt({20, 20});
  input.Hold({Key::Enter});
  const std::optional<std::vector<ClientPoint>> polygon = RunReverseMarking(viewInput, input);
  ASSERT_TRUE(polygon);
  ASSERT_EQ(polygon->size(), 3u);
  EXPECT_EQ((*polygon)[2].y, 20);
  EXPECT_EQ(surface.prompts.front(),
            "도움말: 도움말: (ESC : 취소, ENTER : 닫기)마우스 왼쪽 버든으로 다각형을 그리시오.");
}

TEST_F(CommandFixture, TheMarkingPolygonTakesNinetyNineVerticesAndIgnoresMore) {
  for (int k = 0; k < 105; ++k) input.ClickAt({10.0 * k, 0});
  input.Hold({Key::Enter});
  const std::optional<std::vector<ClientPoint>> polygon = RunReverseMarking(viewInput, input);
  ASSERT_TRUE(polygon);
  EXPECT_EQ(polygon->size(), 99u);
  EXPECT_FALSE(input.ranOut);
  ScriptedInput escape;
  escape.ClickAt({10, 10}).Hold({Key::Esc});
  EXPECT_FALSE(RunReverseMarking(viewInput, escape));
}

TEST_F(CommandFixture, ReverseWithAPolygonReversesThePathsStartingInside) {
  // Around path B's start at client (50, 150).
  input.ClickAt({40, 140}).ClickAt({60, 140}).ClickAt({60, 160}).ClickAt({40, 160}).Hold({Key::Enter});
  ASSERT_EQ(ReverseCommand(viewInput, input, prompts, {.polygon = true}), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(surface.redraws, 1);
  // Path B comes first now, run backwards: its first cut ends where its arc began.
  int first = 0;
  while (!IsCuttingKind(db.RecordAt(first)->kind)) ++first;
  EXPECT_EQ(test::Describe(*db.RecordAt(first)), "8 0 -50 0 200") << "the arc, run the other way";
}

TEST_F(CommandFixture, OnePathReverseReversesThePickedPath) {
  input.Idle().ClickAt({100, 52}).Hold({Key::Enter});
  ASSERT_EQ(OnePathReverseCommand(viewInput, input), EditOutcome::Changed);
  int first = 0;
  while (!IsCuttingKind(db.RecordAt(first)->kind)) ++first;
  EXPECT_EQ(test::Describe(*db.RecordAt(first - 1)), "2 50 50 0 0") << "path A now starts at its old end";
  EXPECT_EQ(test::Describe(*db.RecordAt(first)), "3 -50 50 0 200");
  EXPECT_EQ(db.undoPos(), 1);
}

TEST_F(CommandFixture, TheStartPointCollectorHoldsTwentyPointsAndSaysWhenFull) {
  for (int k = 0; k < 21; ++k) input.ClickAt({10.0 + k, 10});
  input.Hold({Key::Enter});
  const std::optional<std::vector<ClientPoint>> points = CollectStartPoints(viewInput, input);
  ASSERT_TRUE(points);
  EXPECT_EQ(points->size(), 20u);
  EXPECT_EQ(points->back().x, 29);
  EXPECT_EQ(surface.prompts, (std::vector<std::string>{
                                 "도움말:  도움말: (ESC:취소 ENTER:실행) 위에서 보기에서 등고선경로의 시작점을 선택하시요.",
                                 "도움말:  도움말: (ESC:취소 ENTER:실행) 시작점은 20개까지 선택할 수 있습니다.",
                                 "도움말:  "}));
  ScriptedInput none;
  none.Hold({Key::Enter});
  EXPECT_FALSE(CollectStartPoints(viewInput, none)) << "ENTER without a click";
}

TEST_F(CommandFixture, StartPointCommandAsksTheArcGuardFirst) {
  prompts.okAnswers = {false};
  input.ClickAt({150, 52}).Hold({Key::Enter});
  EXPECT_EQ(StartPointCommand(viewInput, input, prompts, progress, StartPointMode::Open), EditOutcome::Unchanged);
  EXPECT_EQ(db.undoPos(), 0) << "Cancel at the arc question";
  prompts.okAnswers = {true};
  ASSERT_EQ(StartPointCommand(viewInput, input, prompts, progress, StartPointMode::Open), EditOutcome::Changed);
  // Clicked at path A's end (model (50, 48)): path A now runs from x = 50 back to −50.
  int first = 0;
  while (!IsCuttingKind(db.RecordAt(first)->kind)) ++first;
  EXPECT_EQ(db.RecordAt(first - 1)->x, 50);
  EXPECT_EQ(surface.prompts.back(), "도움말:  ");
}

TEST_F(CommandFixture, ZUpRefusedByTheArcGuardChangesNothing) {
  prompts.okAnswers = {false};
  EXPECT_EQ(ZUpCommand(db, surface, prompts, progress, {}), EditOutcome::Unchanged);
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
