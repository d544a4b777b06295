#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"

namespace fendo {

class ToolpathDatabase;

// The fields of the move length feed dialog with their defaults. The dialog keeps one of these
// for the whole run of the program; fendo-batch fills one from its flags.
struct MoveLengthFeedOptions {
  double minLength = 0.01;   // mm, 최소 거리 d1: the shortest move changed, 0.01 … 100000
  int minLengthFeed = 200;   // mm/min, Feed f1 given at d1, 1 … 100000
  double maxLength = 0.5;    // mm, 최대 거리 d2: the longest move changed, 0.1 … 100000
  int maxLengthFeed = 500;   // mm/min, Feed f2 given at d2, 1 … 100000
  bool setAllFirst = false;  // Feed 변경후 감속: every move gets setAllFeed before the short ones change
  int setAllFeed = 1000;     // mm/min, the feed of that first step, 1 … 10000
};

// The range check the dialog runs before it closes and fendo-batch before it acts: nothing
// when every value lies in its range (ends included).
std::optional<OptionOutOfRange> CheckRanges(const MoveLengthFeedOptions& options);

// The ranges CheckRanges holds the numbers to, in the dialog's order: the dialog refuses a value
// on its own field with them.
std::span<const FieldRange<MoveLengthFeedOptions>> MoveLengthFeedRanges();

// Gives every straight feed move whose length lies between d1 and d2, and that has a move of
// such a length before or after it, the feed found on the line from (d1, f1) to (d2, f2).
// False, with nothing changed, when a value is out of range.
bool ChangeFeedsByMoveLength(ToolpathDatabase& db, const MoveLengthFeedOptions& options);

}  // namespace fendo
