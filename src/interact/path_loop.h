#pragma once

#include <functional>
#include <string_view>

#include "interact/loop_prompts.h"
#include "view/path_span.h"

namespace fendo {

class InputSource;
class ViewInput;

// The interactive loops of the commands that work on one picked path or point, run inside the
// command. The user picks with the left button (ESC gives up), then steps with SPACE (next)
// and BACK SPACE (previous) while the current path or point stays marked, and ends with ENTER,
// which runs the command's action, or ESC. The other keys keep working on the view: the
// arrows, the rotations and F1 … F10. Polls come 50 ms apart, so a held key repeats at that
// pace. A pick that hits nothing ends the loop. However the loop ends, the help prompt is
// cleared and the view ignores input for the next second.
//
// Each returns true when the action ran.

// Paths: SPACE goes to the path after the next rapid run, BACK SPACE to the path before the
// previous one; at either end of the program the current path stays.
bool RunPathLoop(ViewInput& view, InputSource& input, const std::function<void(const PathSpan&)>& action);

// Points: SPACE and BACK SPACE go to the next and the previous motion record; the current
// record is marked with a cross and its values are shown in the status bar.
bool RunPointLoop(ViewInput& view, InputSource& input, const std::function<void(int record)>& action,
                  std::string_view stepPrompt = kStepAndConfirmPrompt);

// The time between two polls of a loop.
inline constexpr int kPollMilliseconds = 50;

}  // namespace fendo
