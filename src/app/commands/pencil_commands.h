#pragma once

#include <string_view>

namespace fendo {

class CFendoView;

// What "펜슬" says when the toolpath has no corner that makes a pencil path (nothing changes).
inline constexpr std::string_view kNoPencilPathText = "펜슬 경로를 만들 코너가 없습니다.";

// "펜슬": PencilDialog (its values kept between uses), then the pencil paths replace the
// toolpath after one undo snapshot, with the corner search and the sorting shown in the status
// bar; the redraw after a change, the no-room message when the result would not fit.
void PencilCommand(CFendoView& view);

}  // namespace fendo
