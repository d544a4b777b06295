#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/view_state.h"

namespace fendo {

class ToolpathDatabase;
class UserPrompts;

// Which way a window or polygon limits the feeds inside it.
enum class FeedLimit {
  Maximum,  // "Window로 최대 feed 변경": faster moves are slowed to the limit
  Minimum,  // "Window로 최소 feed 변경": slower moves are raised to the limit
};

// The one-value dialog of all four window commands: its label and first value (mm/min); it
// keeps the last value entered after that.
inline constexpr std::string_view kFeedLimitLabel = "Max feed";
inline constexpr double kDefaultFeedLimit = 300;

// What the window commands do with a rectangle the user dragged.
enum class FeedWindowCheck {
  Apply,      // limit the feeds inside it
  PickAgain,  // the user chose to go on after a corner outside the view
  End,        // the command ends
};

// The checks of a dragged rectangle (corners in client pixels): a corner left of or above the
// view asks "Feed 변경 작업을 취소 하겠습니까?" (caption "Error message"; OK ends the command,
// Cancel picks again); a rectangle narrower or lower than 2 pixels ends the command.
FeedWindowCheck CheckFeedWindow(ClientPoint a, ClientPoint b, UserPrompts& prompts);

// The rectangle between two corners as the polygon FeedLimitInPolygon takes.
std::array<ClientPoint, 4> WindowPolygon(ClientPoint a, ClientPoint b);

// Limits the feeds of the cutting moves inside `polygon` (client pixels of `view`, closed from
// the last vertex back to the first, inside by the even-odd rule) to `feed` (mm/min). A move
// that crosses the boundary is split where it crosses, so that only the part inside changes:
// a straight move at the crossing point, an arc into arcs about the same centre. The new
// records replace the old ones and the rapid moves are rebuilt (RebuildRapids). False, with
// nothing changed, for a feed out of range (kLowestFeedValue … kHighestFeedValue) or when
// the result would not fit in the work buffer. A polygon of fewer than three vertices
// encloses nothing and changes nothing.
bool FeedLimitInPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon, const ViewState& view, int feed,
                        FeedLimit limit);

}  // namespace fendo
