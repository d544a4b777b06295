#pragma once

#include <functional>
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

// Whether a corner or vertex lies left of or above the view's client area.
inline bool OutsideTheView(ClientPoint p) { return p.x < 0 || p.y < 0; }

// The rules a polygon drawn vertex by vertex follows.
struct PolygonDrawing {
  // The click that would add a vertex past this many ends the drawing with nothing.
  int mostVertices = 0;
  // Whether ESC closes the polygon as ENTER does; otherwise it ends the drawing with nothing.
  bool escCloses = false;
  // Whether a click at `p` is far enough from the last vertex to add one.
  bool (*apart)(ClientPoint last, ClientPoint p) = nullptr;
  // When set, a click outside the view adds no vertex but asks this; true ends the drawing with
  // nothing. When not, such a click is a vertex like any other.
  std::function<bool()> askOutside;
};

// A polygon clicked vertex by vertex with the left button and shown as it grows, closed with
// ENTER (or ESC, as `rules` say). Nothing for fewer than 3 vertices or where `rules` end the
// drawing.
std::optional<std::vector<ClientPoint>> RunPolygonDrawing(ViewInput& view, InputSource& input,
                                                          const PolygonDrawing& rules);

// The most vertices a polygon can have: the click that would make the 100th cancels it.
inline constexpr int kMostPolygonVertices = 99;

// A polygon clicked vertex by vertex with the left button and closed with ENTER; it is shown
// as it grows. A click on the pixel of the previous vertex adds nothing. Nothing after ESC,
// for fewer than 3 vertices at ENTER, or when the clicks reach a 100th vertex.
std::optional<std::vector<ClientPoint>> RunPolygonInput(ViewInput& view, InputSource& input);

}  // namespace fendo
