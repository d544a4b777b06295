// One loop serves paths and points: they differ in what a pick stands for, how SPACE and
// BACK SPACE step, and how the current one is marked.
#include "interact/path_loop.h"

#include <optional>

#include "core/toolpath_database.h"
#include "interact/input_source.h"
#include "view/picking.h"
#include "view/show_prompt.h"
#include "view/status_texts.h"
#include "view/view_input.h"
#include "view/view_options.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

// Waits for the pick: the client point of a left click, nothing after ESC. The other keys go
// to the view.
std::optional<ClientPoint> WaitForPick(ViewInput& view, InputSource& input) {
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc) return std::nullopt;
    if (key == Key::LeftButton) return input.CursorPosition();
    if (key != Key::None) view.LoopKey(key);
    input.Sleep(kPollMilliseconds);
  }
}

// What a loop works on. `Pick` turns a picked record into the current one, `Step` moves one
// forwards or backwards (nothing at the end), `Show` marks it.
template <typename Current>
struct LoopRules {
  std::function<std::optional<Current>(int record)> pick;
  std::function<std::optional<Current>(const Current&, bool forward)> step;
  std::function<void(const Current&)> show;
};

template <typename Current>
bool RunLoop(ViewInput& view, InputSource& input, const LoopRules<Current>& rules, std::string_view stepPrompt,
             const std::function<void(const Current&)>& action) {
  const ViewInput::LoopScope scope(view);
  ViewSurface& surface = view.surface();
  ShowPrompt(surface, kPickPathPrompt);
  const std::optional<ClientPoint> click = WaitForPick(view, input);
  if (!click) return false;
  const int picked = PickRecord(view.database(), view.view(), view.options().rapidShown, *click);
  std::optional<Current> current = picked == 0 ? std::nullopt : rules.pick(picked);
  if (!current) return false;
  rules.show(*current);
  ShowPrompt(surface, stepPrompt);
  for (;;) {
    input.Sleep(kPollMilliseconds);
    switch (const Key key = PollInputKey(input)) {
      case Key::Enter:
        surface.ClearHighlight();
        action(*current);
        return true;
      case Key::Esc:
        surface.ClearHighlight();
        return false;
      case Key::Space:
      case Key::Backspace:
        if (const std::optional<Current> next = rules.step(*current, key == Key::Space)) {
          current = next;
          rules.show(*current);
        }
        break;
      case Key::None:
        break;
      default:
        // A key that moved the view redrew it, and the redraw took the mark away.
        if (view.LoopKey(key)) rules.show(*current);
        break;
    }
  }
}

}  // namespace

bool RunPathLoop(ViewInput& view, InputSource& input, const std::function<void(const PathSpan&)>& action) {
  ToolpathDatabase& db = view.database();
  ViewSurface& surface = view.surface();
  const LoopRules<PathSpan> rules{
      .pick = [&db](int record) { return PathOfRecord(db, record); },
      .step = [&db](const PathSpan& path, bool forward) { return forward ? NextPath(db, path) : PreviousPath(db, path); },
      .show = [&surface](const PathSpan& path) { surface.ShowHighlight({Highlight::Shape::Path, path.first, path.end}); },
  };
  return RunLoop(view, input, rules, kStepAndConfirmPrompt, action);
}

bool RunPointLoop(ViewInput& view, InputSource& input, const std::function<void(int record)>& action,
                  std::string_view stepPrompt) {
  ToolpathDatabase& db = view.database();
  ViewSurface& surface = view.surface();
  const LoopRules<int> rules{
      .pick = [](int record) { return std::optional<int>(record); },
      .step = [&db](int record, bool forward) { return forward ? db.HasNextMotion(record) : db.HasPrevMotion(record); },
      .show =
          [&db, &surface](int record) {
            surface.ShowHighlight({Highlight::Shape::Point, record, record + 1});
            ShowRecordStatus(surface, db, record);
          },
  };
  return RunLoop<int>(view, input, rules, stepPrompt, [&action](const int& record) { action(record); });
}

}  // namespace fendo
