#pragma once

#include <optional>
#include <vector>

#include "core/view_state.h"
#include "edit/reverse.h"

namespace fendo {

class InputSource;
class UserPrompts;
class ViewInput;

// The polygon that marks the paths to reverse ("다각형 윈도우로 선택"): vertices clicked with
// the left button, each at least kReverseVertexSpacing pixels from the one before (nearer
// clicks are dropped), at most kMostReverseVertices (further clicks are not taken); ENTER ends
// it. ESC gives nothing; fewer than three vertices come back as they are and mark nothing.
std::optional<std::vector<ClientPoint>> RunReverseMarking(ViewInput& view, InputSource& input);

// "공구경로 방향 바꾸기" once CReverseDlg was accepted with `params`: the marking polygon when
// it is asked for (ESC ends the command without change), then the reversal and the redraw.
EditOutcome ReverseCommand(ViewInput& view, InputSource& input, UserPrompts& prompts, const ReverseParams& params);

// "공구 경로 1개 방향 바꾸기": the path loop; ENTER reverses the highlighted path.
EditOutcome OnePathReverseCommand(ViewInput& view, InputSource& input);

}  // namespace fendo
