#include "interact/trim_input.h"

#include <cmath>

#include "core/user_prompts.h"

namespace fendo {
namespace {

bool FarEnoughApart(ClientPoint last, ClientPoint p) {
  return std::hypot(p.x - last.x, p.y - last.y) >= kTrimVertexSpacing;
}

}  // namespace

bool TooSmallForATrim(ClientPoint a, ClientPoint b) {
  return std::fabs(a.x - b.x) < kNarrowestTrimWindow || std::fabs(a.y - b.y) < kNarrowestTrimWindow;
}

bool AskCancelTrim(UserPrompts& prompts) {
  return prompts.AskOkCancel(kTrimCancelQuestion, kErrorCaption, PromptIcon::Question);
}

std::optional<std::vector<ClientPoint>> RunDrawnPolygonInput(ViewInput& view, InputSource& input, UserPrompts& prompts) {
  return RunPolygonDrawing(view, input,
                           {.mostVertices = kMostTrimPolygonVertices,
                            .escCloses = true,
                            .apart = FarEnoughApart,
                            .askOutside = [&prompts] { return AskCancelTrim(prompts); }});
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
