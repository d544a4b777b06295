#include "feed/feed_rules.h"

#include <array>

namespace fendo {

std::string_view FeedRuleName(FeedRule rule) {
  static constexpr std::array<std::string_view, kFeedRuleCount> kNames = {
      "maximum feed", "plunge", "slope up", "slope down", "master model",
      "XY corner",    "slope change", "arc", "short cruise", "smoothing",
  };
  return kNames[static_cast<std::size_t>(rule)];
}

}  // namespace fendo
