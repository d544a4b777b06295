#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/view_state.h"

namespace fendo {

class InputSource;
class UserPrompts;
class ViewInput;

// The windows and polygons the trims take from the screen. They follow stricter rules than the
// delete's (interact/region_input.h): a trim removes machining, so a corner or a vertex the
// user put outside the view is asked about rather than taken, and a polygon may be much larger.

// What a corner or vertex left of or above the view asks (caption "Error message", OK and
// Cancel); OK ends the command.
inline constexpr std::string_view kTrimCancelQuestion = "Trim 작업을 취소 하겠습니까?";

// A window narrower or lower than this ends the command, so that a click does not trim.
inline constexpr double kNarrowestTrimWindow = 2;  // pixels

// The most vertices a drawn trim polygon can have: the click that would make the 300th ends the
// command without trimming.
inline constexpr int kMostTrimPolygonVertices = 299;
// A click closer than this to the previous vertex adds nothing.
inline constexpr double kTrimVertexSpacing = 5;  // pixels

// Whether a corner or vertex lies left of or above the view's client area.
inline bool OutsideTheView(ClientPoint p) { return p.x < 0 || p.y < 0; }

// Whether a window is too small to trim with.
bool TooSmallForATrim(ClientPoint a, ClientPoint b);

// Asks kTrimCancelQuestion; true when the user answered OK (end the command).
bool AskCancelTrim(UserPrompts& prompts);

// A trim polygon clicked vertex by vertex with the left button and shown as it grows; ENTER or
// ESC closes it. Nothing when it closes with fewer than 3 vertices, when a click would make the
// 300th vertex, or when the user answers OK to the question a vertex outside the view asks
// (Cancel drops that vertex and drawing goes on).
std::optional<std::vector<ClientPoint>> RunTrimPolygonInput(ViewInput& view, InputSource& input, UserPrompts& prompts);

}  // namespace fendo
