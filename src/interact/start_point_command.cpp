#include "interact/start_point_command.h"

#include "core/toolpath_database.h"
#include "interact/arc_guard.h"
#include "interact/edit_report.h"
#include "interact/input_source.h"
#include "interact/path_loop.h"
#include "view/show_prompt.h"
#include "view/view_input.h"

namespace fendo {

std::optional<std::vector<ClientPoint>> CollectStartPoints(ViewInput& view, InputSource& input) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kStartPointPrompt);
  std::vector<ClientPoint> points;
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc) return std::nullopt;
    if (key == Key::Enter) {
      if (points.empty()) return std::nullopt;
      return points;
    }
    if (key == Key::LeftButton) {
      while (input.IsDown(Key::LeftButton)) input.Sleep(kPollMilliseconds);
      if (static_cast<int>(points.size()) < kMostStartPoints) {
        points.push_back(input.CursorPosition());
      } else {
        ShowPrompt(surface, kStartPointsFullPrompt);
      }
    } else if (key != Key::None) {
      view.LoopKey(key);
    }
    input.Sleep(kPollMilliseconds);
  }
}

EditOutcome StartPointCommand(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress,
                              StartPointMode mode) {
  ToolpathDatabase& db = view.database();
  if (!ArcGuard(db, prompts, progress)) return EditOutcome::Unchanged;
  const std::optional<std::vector<ClientPoint>> clicks = CollectStartPoints(view, input);
  if (!clicks) return EditOutcome::Unchanged;
  std::vector<Point3> points;
  for (const ClientPoint& click : *clicks) {
    const std::optional<Point3> model = ScreenToModel(view.view(), click);
    if (!model) return EditOutcome::Unchanged;
    points.push_back(*model);
  }
  ShowPrompt(view.surface(), kChangingStartPointsPrompt);
  const EditOutcome outcome = ReportEdit(ChangeStartPoints(db, mode, points), view.surface(), prompts);
  ShowPrompt(view.surface(), kClearPrompt);
  return outcome;
}

}  // namespace fendo
