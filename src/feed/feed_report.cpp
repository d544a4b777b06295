#include "feed/feed_report.h"

#include <array>

#include "feed/motion_walk.h"

namespace fendo {
namespace {

double Minutes(double length, int feed) { return feed > 0 ? length / feed : 0; }

}  // namespace

std::vector<FeedRuleLine> MeasureRuleShares(ToolpathDatabase& db, const std::vector<int>& feedsBefore,
                                            const FeedReasons& reasons) {
  std::array<FeedRuleLine, kFeedRuleCount> lines{};
  ForEachMove(db, [&](const Move& move) {
    if (!IsCuttingKind(move.kind) || move.length == 0) return;
    const auto i = static_cast<std::size_t>(move.index);
    const int before = feedsBefore[static_cast<std::size_t>(reasons.source[i])];
    const int after = FeedOf(db, move.index);
    if (after == before) return;
    FeedRuleLine& line = lines[static_cast<std::size_t>(reasons.rule[i])];
    ++line.records;
    line.length += move.length;
    line.minutesAdded += Minutes(move.length, after) - Minutes(move.length, before);
  });
  std::vector<FeedRuleLine> shares;
  for (int r = 0; r < kFeedRuleCount; ++r) {
    FeedRuleLine line = lines[static_cast<std::size_t>(r)];
    if (line.records == 0) continue;
    line.rule = static_cast<FeedRule>(r);
    shares.push_back(line);
  }
  return shares;
}

}  // namespace fendo
