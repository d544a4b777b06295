#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/view_state.h"
#include "edit/edit_outcome.h"
#include "edit/edit_commit.h"
#include "interact/region_input.h"

namespace fendo {

class InputSource;
class UserPrompts;
class ViewInput;

// The windows and polygons the trims and the offsets take from the screen. They follow stricter
// rules than the delete's (interact/region_input.h): a trim or an offset changes machining, so a
// vertex the user put outside the view is asked about rather than taken, and a polygon may be
// much larger.

// What a corner or vertex left of or above the view asks (caption "Error message", OK and
// Cancel); OK ends the command.
inline constexpr std::string_view kTrimCancelQuestion = "Trim 작업을 취소 하겠습니까?";

// A window narrower or lower than this ends the command, so that a click does not trim.
inline constexpr double kNarrowestTrimWindow = 2;  // pixels

// The most vertices a drawn polygon can have: the click that would make the 300th ends the
// command with nothing changed.
inline constexpr int kMostTrimPolygonVertices = 299;
// A click closer than this to the previous vertex adds nothing.
inline constexpr double kTrimVertexSpacing = 5;  // pixels

// Whether a window is too small to trim with.
bool TooSmallForATrim(ClientPoint a, ClientPoint b);

// Asks kTrimCancelQuestion; true when the user answered OK (end the command).
bool AskCancelTrim(UserPrompts& prompts);

// A polygon clicked vertex by vertex with the left button and shown as it grows; ENTER or ESC
// closes it. Nothing when it closes with fewer than 3 vertices, when a click would make the
// 300th vertex, or when the user answers OK to the question a vertex outside the view asks
// (Cancel drops that vertex and drawing goes on).
std::optional<std::vector<ClientPoint>> RunDrawnPolygonInput(ViewInput& view, InputSource& input, UserPrompts& prompts);

// What a window loop does with a window that has a corner outside the view.
enum class CornerOutsideTheView {
  Asked,  // kTrimCancelQuestion: OK ends the loop, Cancel lets the user drag again
  Taken,  // edited like any other window
};

// Windows dragged one after another (RunWindowInput), each handed to `edit` at once with the undo
// step it is to take: the first change keeps the work buffer in the undo ring, the windows after
// it join that step. Ends at ESC, at a window too small (TooSmallForATrim) and when a result
// would not fit.
void RunWindowLoop(ViewInput& view, InputSource& input, UserPrompts& prompts, CornerOutsideTheView corners,
                   const std::function<EditOutcome(const ScreenWindow& window, UndoStep undo)>& edit);

}  // namespace fendo
