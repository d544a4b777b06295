#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/view_state.h"
#include "edit/start_point.h"

namespace fendo {

class InputSource;
class Progress;
class UserPrompts;
class ViewInput;

// The prompts of the start point change, shown behind ShowPrompt's prefix.
inline constexpr std::string_view kStartPointPrompt =
    " 도움말: (ESC:취소 ENTER:실행) 위에서 보기에서 등고선경로의 시작점을 선택하시요.";
// When the list of clicked points is full: the click is not taken.
inline constexpr std::string_view kStartPointsFullPrompt =
    " 도움말: (ESC:취소 ENTER:실행) 시작점은 20개까지 선택할 수 있습니다.";
inline constexpr std::string_view kChangingStartPointsPrompt = " 도움말: 등고선 경로의 시작점을 변경중입니다.";

// The clicked-points collector: each left click (taken when the button is released) adds its
// client point, up to kMostStartPoints; a click beyond them is ignored and the prompt says the
// list is full. ENTER ends with the points; ESC, or ENTER with none, gives nothing. The other
// keys keep working on the view.
std::optional<std::vector<ClientPoint>> CollectStartPoints(ViewInput& view, InputSource& input);

// "열려진 경로", "닫혀진 경로", "닫혀진 경로 & 열려진 경로": the arc guard, the clicks, their model
// X and Y through the view's projection (a click that has none, outside the top, front and
// side views, ends the command without change), then the change and the redraw.
EditOutcome StartPointCommand(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress,
                              StartPointMode mode);

}  // namespace fendo
