#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/palette.h"
#include "view/canvas.h"

namespace fendo {

// The pen of a feed move by its feed F against the work feed W: seven bands of F / W from
// white (near W) through grey, green and blue to red (a quarter of W and slower). Blue (the
// feed-less pen) while W is 0; nothing for a ratio outside 0 … 100, where the pen of the
// feed move before stays.
std::optional<int> FeedBandPen(int feed, int workFeed);

// One line of the feed legend: "Feed : low ~ high" in the colour of its band.
struct LegendLine {
  std::string text;
  DevicePoint topLeft;
  Rgb colour;
};

// The legend of the seven bands for work feed W, fastest first: at the lower left of a
// window `clientHeight` pixels high, each line above the one before.
std::vector<LegendLine> FeedLegend(int workFeed, int clientHeight, bool backgroundInverted);

}  // namespace fendo
