#pragma once

#include <optional>
#include <string_view>

#include "core/option_range.h"

namespace fendo {

class ToolpathDatabase;

// The feeds a one-value feed dialog takes ("변경할 피드", "Max feed"), mm/min: a feed below 1
// would stop the cutter, and no machine runs at a million.
inline constexpr double kLowestFeedValue = 1;
inline constexpr double kHighestFeedValue = 1000000;

// The label of the whole-path feed dialog; its value starts at the database's workFeed.
inline constexpr std::string_view kWholePathFeedLabel = "변경할 피드";

// Gives every motion record of the work buffer the feed f (mm/min). The first step of several
// feed changes, and the whole of the whole-path one.
void SetAllFeeds(ToolpathDatabase& db, int f);

// The range check of a feed typed into a one-value dialog labelled `label`: nothing when it
// lies between kLowestFeedValue and kHighestFeedValue.
std::optional<OptionOutOfRange> CheckFeedValue(std::string_view label, double value);

// The whole-path feed change once its dialog closed with OK: workFeed becomes the whole part
// of `value` and every motion record gets it. False, with nothing changed, for a value out of
// range.
bool ChangeWholePathFeed(ToolpathDatabase& db, double value);

}  // namespace fendo
