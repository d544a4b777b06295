// Feeds by arc radius.
//
// A small arc at the feed of the straight moves around it makes the machine's axes turn hard;
// this change gives each arc of radius ρ in r1 … r2 the feed ⌊(ρ − r1)/(r2 − r1)·(f2 − f1) + f1⌋,
// so that the smallest arcs run slowest. A straight move right before or after the arc that is
// no longer than the neighbour distance s runs into or out of the same turn, so it is lowered
// to the arc's feed when that is lower. Arcs outside the range, and their neighbours, keep
// their feeds.
#include "feed/arc_radius_feed.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/arc_rule.h"
#include "feed/motion_walk.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

using Range = FieldRange<ArcRadiusFeedOptions>;

constexpr std::array kRanges = {
    Range{"minRadius", "최소 반경", 0.1, 100000, [](const ArcRadiusFeedOptions& o) { return o.minRadius; }},
    Range{"minRadiusFeed", "Feed", 1, 100000,
          [](const ArcRadiusFeedOptions& o) { return static_cast<double>(o.minRadiusFeed); }},
    Range{"maxRadius", "최대 반경", 0.1, 100000, [](const ArcRadiusFeedOptions& o) { return o.maxRadius; }},
    Range{"maxRadiusFeed", "Feed", 1, 100000,
          [](const ArcRadiusFeedOptions& o) { return static_cast<double>(o.maxRadiusFeed); }},
    Range{"distance", "안전거리", 0.1, 100000, [](const ArcRadiusFeedOptions& o) { return o.distance; }},
    Range{"setAllFeed", "Feed 변경후 감속", 1, 1000000,
          [](const ArcRadiusFeedOptions& o) { return static_cast<double>(o.setAllFeed); }},
};

// mm; the radius span taken when r1 = r2, so that the one radius in range gets f1.
constexpr double kSpanOfOneRadius = 0.01;

void LowerTo(ToolpathDatabase& db, int i, int feed) {
  if (feed < FeedOf(db, i)) WriteFeed(db, i, feed);
}

}  // namespace

std::span<const FieldRange<ArcRadiusFeedOptions>> ArcRadiusFeedRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const ArcRadiusFeedOptions& options) {
  return CheckFieldRanges<ArcRadiusFeedOptions>(options, kRanges);
}

bool ChangeFeedsByArcRadius(ToolpathDatabase& db, const ArcRadiusFeedOptions& options) {
  if (CheckRanges(options)) return false;
  if (options.setAllFirst) SetAllFeeds(db, options.setAllFeed);
  const double r1 = options.minRadius;
  const double r2 = options.maxRadius;
  const double radiusSpan = r2 - r1 == 0 ? kSpanOfOneRadius : r2 - r1;
  const double feedSpan = options.maxRadiusFeed - options.minRadiusFeed;
  ForEachMoveInContext(db, [&](const Move* before, const Move& arc, const Move* after) {
    if (!IsArcKind(arc.kind)) return;
    const double radius = ArcGeometry(db, arc.index).radius;
    if (radius < r1 || radius > r2) return;
    const int feed = static_cast<int>(std::floor((radius - r1) / radiusSpan * feedSpan + options.minRadiusFeed));
    WriteFeed(db, arc.index, feed);
    for (const Move* neighbour : {before, after}) {
      if (neighbour && IsLinearFeedKind(neighbour->kind) && neighbour->length <= options.distance) {
        LowerTo(db, neighbour->index, feed);
      }
    }
  });
  return true;
}

}  // namespace fendo
