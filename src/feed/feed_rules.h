#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace fendo {

// The rule of the optimizer that set a feed. None is a feed no pass lowered: the maximum feed
// the run starts from, which also caps feeds set above it.
enum class FeedRule : std::uint8_t {
  None,
  Plunge,
  SlopeUp,
  SlopeDown,
  MasterModel,
  XyCorner,
  SlopeChange,
  Arc,
  ShortCruise,
  Smoothing,
};
inline constexpr int kFeedRuleCount = 10;

std::string_view FeedRuleName(FeedRule rule);

// Which rule last lowered each of a point's three feeds.
struct PointRules {
  FeedRule cruise = FeedRule::None;
  FeedRule accel = FeedRule::None;
  FeedRule decel = FeedRule::None;
};

// What the engine tells about its output points when asked: for each, the rule that set its
// feed and the input point it was made from.
struct FeedReasons {
  std::vector<PointRules> points;  // by input point, filled by the passes
  std::vector<FeedRule> rule;      // by output point
  std::vector<int> source;         // by output point
};

// One rule's share of an optimizer run: the output records it set, their length and the
// minutes they run longer (shorter when negative) than at their feeds before.
struct FeedRuleLine {
  FeedRule rule = FeedRule::None;
  int records = 0;
  double length = 0;      // mm
  double minutesAdded = 0;
};

// The optimizer's account of its changes: cutting minutes before and after, and per rule that
// changed a feed, in the order of the rules, its share. The shares add up to after − before.
struct FeedReport {
  double minutesBefore = 0;
  double minutesAfter = 0;
  std::vector<FeedRuleLine> rules;
};

}  // namespace fendo
