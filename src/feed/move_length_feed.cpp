// Feeds by move length.
//
// A run of very short straight moves (a finely divided curve) is where a machine cannot keep
// its programmed feed; this change gives each straight feed move of length m in d1 … d2 the
// feed ⌊(m − d1)/(d2 − d1)·(f2 − f1) + f1⌋. Only runs count: a move changes only when the move
// before or the move after it also lies in d1 … d2, so a single short move between long ones
// (a small step in a contour) keeps its feed. A rapid move on either side counts as long.
#include "feed/move_length_feed.h"

#include <array>
#include <cmath>

#include "feed/motion_walk.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

using Range = FieldRange<MoveLengthFeedOptions>;

constexpr std::array kRanges = {
    Range{"minLength", "최소 거리", 0.01, 100000, [](const MoveLengthFeedOptions& o) { return o.minLength; }},
    Range{"minLengthFeed", "Feed", 1, 100000,
          [](const MoveLengthFeedOptions& o) { return static_cast<double>(o.minLengthFeed); }},
    Range{"maxLength", "최대 거리", 0.1, 100000, [](const MoveLengthFeedOptions& o) { return o.maxLength; }},
    Range{"maxLengthFeed", "Feed", 1, 100000,
          [](const MoveLengthFeedOptions& o) { return static_cast<double>(o.maxLengthFeed); }},
    Range{"setAllFeed", "Feed 변경후 감속", 1, 10000,
          [](const MoveLengthFeedOptions& o) { return static_cast<double>(o.setAllFeed); }},
};

// mm; the length span taken when d1 = d2, so that the one length in range gets f1.
constexpr double kSpanOfOneLength = 0.01;
// mm; the length a rapid neighbour (or none) counts as: longer than any range.
constexpr double kLongNeighbour = 9999;

}  // namespace

std::span<const FieldRange<MoveLengthFeedOptions>> MoveLengthFeedRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const MoveLengthFeedOptions& options) {
  return CheckFieldRanges<MoveLengthFeedOptions>(options, kRanges);
}

bool ChangeFeedsByMoveLength(ToolpathDatabase& db, const MoveLengthFeedOptions& options) {
  if (CheckRanges(options)) return false;
  if (options.setAllFirst) SetAllFeeds(db, options.setAllFeed);
  const double d1 = options.minLength;
  const double d2 = options.maxLength;
  const double lengthSpan = d2 - d1 == 0 ? kSpanOfOneLength : d2 - d1;
  const double feedSpan = options.maxLengthFeed - options.minLengthFeed;
  const auto inRange = [d1, d2](double length) { return length >= d1 && length <= d2; };
  const auto lengthOf = [](const Move* neighbour) {
    return neighbour && !IsRapidKind(neighbour->kind) ? neighbour->length : kLongNeighbour;
  };
  ForEachMoveInContext(db, [&](const Move* before, const Move& move, const Move* after) {
    if (!IsLinearFeedKind(move.kind) || !inRange(move.length)) return;
    if (!inRange(lengthOf(before)) && !inRange(lengthOf(after))) return;
    const int feed = static_cast<int>(std::floor((move.length - d1) / lengthSpan * feedSpan + options.minLengthFeed));
    WriteFeed(db, move.index, feed);
  });
  return true;
}

}  // namespace fendo
