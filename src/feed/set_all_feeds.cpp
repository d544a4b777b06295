#include "feed/set_all_feeds.h"

#include <cmath>

#include "core/toolpath_database.h"

namespace fendo {

void SetAllFeeds(ToolpathDatabase& db, int f) {
  db.ForEachRecord([&db, f](int i, const ToolpathRecord& r) {
    if (!IsMotionKind(r.kind)) return;
    db.cursor = ToCursor(r);
    db.cursor.feed = f;
    db.WriteRecord(i);
  });
}

std::optional<OptionOutOfRange> CheckFeedValue(std::string_view label, double value) {
  if (value >= kLowestFeedValue && value <= kHighestFeedValue) return std::nullopt;
  return OutOfRange("feed", label, kLowestFeedValue, kHighestFeedValue, value);
}

bool ChangeWholePathFeed(ToolpathDatabase& db, double value) {
  if (CheckFeedValue(kWholePathFeedLabel, value)) return false;
  db.workFeed = static_cast<int>(std::floor(value));
  SetAllFeeds(db, db.workFeed);
  return true;
}

}  // namespace fendo
