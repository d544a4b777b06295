#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// CZUpDlg ("Z 상향"): the mode radio buttons.
enum class ZUpMode {
  HoldDown,    // "Z 하향 억제": along a path Z never falls after the entry
  Floor,       // "Z값 하향 억제": no move goes below the height "Z 값"
  DropDown,    // "하향 삭제": steep descending cuts become rapid moves
  DropUp,      // "상향 삭제": steep ascending cuts become rapid moves
};

// CZUpDlg's fields with their defaults, kept between uses.
struct ZUpParams {
  ZUpMode mode = ZUpMode::HoldDown;
  double floorZ = 0;         // mm, "Z 값": −10000 … 10000
  double downTolerance = 5;  // degrees, "각도 공차" of descents: 0 … 90
  double upTolerance = 5;    // degrees, "각도 공차" of ascents: 0 … 90
};

// The first field of the chosen mode out of its range.
std::optional<OptionOutOfRange> CheckZUpParams(const ZUpParams& params);
// The ranges of the numeric fields, for a help that quotes them.
std::span<const FieldRange<ZUpParams>> ZUpRanges();

// The Z-up change (after the arc guard, which the interactive command runs; arcs are left as
// they are). The entry into a path (its FeedStart, reached from a rapid move, whether straight
// down or by a ramp) is never held up or dropped: that is how the tool gets into the material.
// - HoldDown: every other descending straight feed move is lifted to the height of the record
//   before it, so along a path Z never falls.
// - Floor: a move crossing floorZ gets its crossing point; records below it are raised to it;
//   a record on the floor between two on the floor is dropped when it lies on the straight line
//   between them (so no new cut is made across the part).
// - DropDown, DropUp: a descending (ascending) straight feed move steeper than its tolerance
//   against the XY plane becomes a rapid move; then the rapid moves are rebuilt.
// One undo snapshot; Refused for a value out of range, NoRoom when the result would pass the
// record limit.
EditOutcome ZUp(ToolpathDatabase& db, const ZUpParams& params);

}  // namespace fendo
