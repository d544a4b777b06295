#pragma once

#include <optional>

namespace fendo {

class InputSource;
class ViewInput;

// "공구경로에 의한 layer 선택": after half a second (the click that chose the command is let go),
// asks for a path with the left button (ESC gives up; the other keys go to the view) and gives
// the user's layer whose drawn toolpath is under the click, the layers drawn from their slots
// among them. Nothing after ESC or a click that hits no toolpath.
std::optional<int> RunLayerPick(ViewInput& view, InputSource& input);

// The wait before the pick prompt.
inline constexpr int kLayerPickDelayMilliseconds = 500;

}  // namespace fendo
