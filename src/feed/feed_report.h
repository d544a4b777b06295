#pragma once

#include <vector>

#include "feed/feed_rules.h"

namespace fendo {

class ToolpathDatabase;

// The rules' shares of an optimizer run, measured on the optimized records while they still
// stand one for one with the engine's output points: every cutting move whose feed changed
// belongs to the rule of its point, and adds its length over the feed after less its length
// over the feed its input point had before. `feedsBefore` holds the input points' feeds.
std::vector<FeedRuleLine> MeasureRuleShares(ToolpathDatabase& db, const std::vector<int>& feedsBefore,
                                            const FeedReasons& reasons);

}  // namespace fendo
