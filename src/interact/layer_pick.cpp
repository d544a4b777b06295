#include "interact/layer_pick.h"

#include "interact/input_source.h"
#include "interact/loop_prompts.h"
#include "interact/path_loop.h"
#include "view/picking.h"
#include "view/show_prompt.h"
#include "view/view_input.h"
#include "view/view_options.h"

namespace fendo {

std::optional<int> RunLayerPick(ViewInput& view, InputSource& input) {
  const ViewInput::LoopScope scope(view);
  input.Sleep(kLayerPickDelayMilliseconds);
  ShowPrompt(view.surface(), kPickPathPrompt);
  for (;;) {
    const Key key = PollInputKey(input);
    if (key == Key::Esc) return std::nullopt;
    if (key == Key::LeftButton) {
      return PickLayer(view.database(), view.view(), view.options().rapidShown, input.CursorPosition());
    }
    if (key != Key::None) view.LoopKey(key);
    input.Sleep(kPollMilliseconds);
  }
}

}  // namespace fendo
