#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/view_state.h"
#include "view/navigation.h"

namespace fendo {

class ToolpathDatabase;

// The view render pictures a program in, shared with the commands that take pixels of that
// picture (edit --delete-window): the same size, directions and fit, so that a pixel given on
// the command line is the pixel of the render image.

// The size of a render image when --size does not say.
inline constexpr int kRenderWidth = 1600;   // pixels
inline constexpr int kRenderHeight = 1000;  // pixels
// The direction when --view does not say.
inline constexpr ViewDirection kRenderDirection = ViewDirection::Iso1;

// "top", "front", "side", "iso1" … "iso4"; nothing, with `error` saying what --view takes, for
// another name.
std::optional<ViewDirection> DirectionNamed(std::string_view name, std::string& error);

// A view of render's default size turned to `direction`.
ViewState RenderViewState(ViewDirection direction = kRenderDirection);

// The view of render's default picture of the program in `direction`: zoomed and panned so that
// everything it draws (rapid moves too) fills the picture.
ViewState FittedRenderView(ToolpathDatabase& db, ViewDirection direction);

}  // namespace fendo
