#include "interact/trim_input.h"

#include <cmath>

#include "core/user_prompts.h"
#include "interact/input_source.h"
#include "interact/loop_prompts.h"
#include "interact/path_loop.h"
#include "view/show_prompt.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr int kFewestPolygonVertices = 3;

}  // namespace

bool TooSmallForATrim(ClientPoint a, ClientPoint b) {
  return std::fabs(a.x - b.x) < kNarrowestTrimWindow || std::fabs(a.y - b.y) < kNarrowestTrimWindow;
}

bool AskCancelTrim(UserPrompts& prompts) {
  return prompts.AskOkCancel(kTrimCancelQuestion, kErrorCaption, PromptIcon::Question);
}

std::optional<std::vector<ClientPoint>> RunDrawnPolygonInput(ViewInput& view, InputSource& input, UserPrompts& prompts) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kDrawPolygonPrompt);
  std::vector<ClientPoint> vertices;
  const auto finish = [&surface](std::optional<std::vector<ClientPoint>> polygon) {
    surface.ShowPolygon({});
    return polygon;
  };
  // A vertex is taken when the button goes down, not for every poll that finds it held.
  bool buttonWasDown = false;
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc || key == Key::Enter) {
      if (static_cast<int>(vertices.size()) < kFewestPolygonVertices) return finish(std::nullopt);
      return finish(std::move(vertices));
    }
    const bool buttonDown = input.IsDown(Key::LeftButton);
    if (buttonDown && !buttonWasDown) {
      const ClientPoint p = input.CursorPosition();
      if (OutsideTheView(p)) {
        if (AskCancelTrim(prompts)) return finish(std::nullopt);
      } else if (vertices.empty() ||
                 std::hypot(p.x - vertices.back().x, p.y - vertices.back().y) >= kTrimVertexSpacing) {
        if (static_cast<int>(vertices.size()) == kMostTrimPolygonVertices) return finish(std::nullopt);
        vertices.push_back(p);
        surface.ShowPolygon(vertices);
      }
    }
    buttonWasDown = buttonDown;
    input.Sleep(kPollMilliseconds);
  }
}

void RunWindowLoop(ViewInput& view, InputSource& input, UserPrompts& prompts, CornerOutsideTheView corners,
                   const std::function<EditOutcome(const ScreenWindow& window, UndoStep undo)>& edit) {
  UndoStep undo = UndoStep::Push;
  while (const std::optional<ScreenWindow> window = RunWindowInput(view, input)) {
    if (corners == CornerOutsideTheView::Asked && (OutsideTheView(window->first) || OutsideTheView(window->second))) {
      if (AskCancelTrim(prompts)) return;
      continue;
    }
    if (TooSmallForATrim(window->first, window->second)) return;
    const EditOutcome outcome = edit(*window, undo);
    if (outcome == EditOutcome::NoRoom) return;
    if (outcome == EditOutcome::Changed) undo = UndoStep::Skip;
  }
}

}  // namespace fendo
