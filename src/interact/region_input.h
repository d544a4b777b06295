#pragma once

#include <optional>
#include <vector>

#include "core/view_state.h"

namespace fendo {

class InputSource;
class ViewInput;

// The regions the editing commands take from the screen, in client coordinates of the view as
// it stands (the loops leave the view alone, so the corners and vertices keep meaning the same
// model points while the user draws).

// Two corners of a window, in the order they were given.
struct ScreenWindow {
  ClientPoint first;
  ClientPoint second;
};

// One window: the left button goes down at one corner, is dragged (a rubber band follows) and
// released at the other. Nothing after ESC.
std::optional<ScreenWindow> RunWindowInput(ViewInput& view, InputSource& input);

// The most vertices a polygon can have: the click that would make the 100th cancels it.
inline constexpr int kMostPolygonVertices = 99;

// A polygon clicked vertex by vertex with the left button and closed with ENTER; it is shown
// as it grows. A click on the pixel of the previous vertex adds nothing. Nothing after ESC,
// for fewer than 3 vertices at ENTER, or when the clicks reach a 100th vertex.
std::optional<std::vector<ClientPoint>> RunPolygonInput(ViewInput& view, InputSource& input);

}  // namespace fendo
