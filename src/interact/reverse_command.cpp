#include "interact/reverse_command.h"

#include <cmath>

#include "core/toolpath_database.h"
#include "interact/edit_report.h"
#include "interact/input_source.h"
#include "interact/loop_prompts.h"
#include "interact/path_loop.h"
#include "view/show_prompt.h"
#include "view/view_input.h"

namespace fendo {

std::optional<std::vector<ClientPoint>> RunReverseMarking(ViewInput& view, InputSource& input) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kDrawPolygonPrompt);
  std::vector<ClientPoint> vertices;
  bool buttonWasDown = false;
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc || key == Key::Enter) {
      surface.ShowPolygon({});
      if (key == Key::Esc) return std::nullopt;
      return vertices;
    }
    const bool buttonDown = input.IsDown(Key::LeftButton);
    if (buttonDown && !buttonWasDown && static_cast<int>(vertices.size()) < kMostReverseVertices) {
      const ClientPoint p = input.CursorPosition();
      if (vertices.empty() ||
          std::hypot(p.x - vertices.back().x, p.y - vertices.back().y) >= kReverseVertexSpacing) {
        vertices.push_back(p);
        surface.ShowPolygon(vertices);
      }
    }
    buttonWasDown = buttonDown;
    input.Sleep(kPollMilliseconds);
  }
}

EditOutcome ReverseCommand(ViewInput& view, InputSource& input, UserPrompts& prompts, const ReverseParams& params) {
  std::vector<ClientPoint> polygon;
  if (params.polygon) {
    std::optional<std::vector<ClientPoint>> marked = RunReverseMarking(view, input);
    if (!marked) return EditOutcome::Unchanged;
    polygon = std::move(*marked);
  }
  return ReportEdit(ReversePaths(view.database(), params, polygon, view.view()), view.surface(), prompts);
}

EditOutcome OnePathReverseCommand(ViewInput& view, InputSource& input) {
  EditOutcome outcome = EditOutcome::Unchanged;
  RunPathLoop(view, input, [&view, &outcome](const PathSpan& path) {
    outcome = ReverseOnePath(view.database(), path.first);
    view.surface().Redraw();
  });
  return outcome;
}

}  // namespace fendo
