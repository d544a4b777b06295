#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"

namespace fendo {

class ToolpathDatabase;

// The fields of the dialog "G02, G03의 feed를 변경합니다." with their defaults. The dialog keeps
// one of these for the whole run of the program; fendo-batch fills one from its flags.
struct ArcRadiusFeedOptions {
  double minRadius = 0.1;    // mm, 최소 반경 r1: the smallest radius changed, 0.1 … 100000
  int minRadiusFeed = 200;   // mm/min, Feed f1 given at r1, 1 … 100000
  double maxRadius = 20.0;   // mm, 최대 반경 r2: the largest radius changed, 0.1 … 100000
  int maxRadiusFeed = 500;   // mm/min, Feed f2 given at r2, 1 … 100000
  double distance = 1.0;     // mm, 안전거리 s: a straight neighbour this short slows with the arc, 0.1 … 100000
  bool setAllFirst = false;  // Feed 변경후 감속: every move gets setAllFeed before the arcs change
  int setAllFeed = 1000;     // mm/min, the feed of that first step, 1 … 1000000
};

// The range check the dialog runs before it closes and fendo-batch before it acts: nothing
// when every value lies in its range (ends included).
std::optional<OptionOutOfRange> CheckRanges(const ArcRadiusFeedOptions& options);

// The ranges CheckRanges holds the numbers to, in the dialog's order: the dialog refuses a value
// on its own field with them.
std::span<const FieldRange<ArcRadiusFeedOptions>> ArcRadiusFeedRanges();

// Gives every arc whose radius lies between r1 and r2 the feed found on the line from (r1, f1)
// to (r2, f2), and slows a straight move next to it that is no longer than s to that feed.
// False, with nothing changed, when a value is out of range.
bool ChangeFeedsByArcRadius(ToolpathDatabase& db, const ArcRadiusFeedOptions& options);

}  // namespace fendo
