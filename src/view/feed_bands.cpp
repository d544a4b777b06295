#include "view/feed_bands.h"

#include <array>

#include "view/pens.h"

namespace fendo {
namespace {

// A band holds the ratios F / W above `lowest` up to `highest`; the legend names the feeds
// lowest·W and highest·W.
struct FeedBand {
  double lowest;
  double highest;
  int pen;
  Rgb legendColour;  // the first band's follows the background (white, or black when inverted)
};

// The slowest band takes F = 0 as well.
constexpr std::array<FeedBand, 7> kFeedBands = {{
    {0.87, 1.0, 1, {255, 255, 255}},
    {0.75, 0.87, 2, {192, 192, 192}},
    {0.62, 0.75, 7, {0, 255, 0}},
    {0.5, 0.62, 8, {0, 128, 0}},
    // The two blue bands' legend colours follow their pens: the lighter blue names the slower
    // band, drawn with the lighter pen.
    {0.37, 0.5, 10, {0, 0, 150}},
    {0.25, 0.37, 9, {0, 0, 255}},
    {0.0, 0.25, 3, {255, 0, 0}},
}};

// Feeds up to a hundred times the work feed still count as the fastest band.
constexpr double kHighestRatio = 100;

constexpr int kLegendLeft = 10;          // pixels from the left edge
constexpr int kLegendBottomOffset = 20;  // pixels from the bottom edge to the first line's top
constexpr int kLegendLineStep = 15;      // pixels between lines, upwards

}  // namespace

std::optional<int> FeedBandPen(int feed, int workFeed) {
  if (workFeed == 0) return kFeedlessPen;
  const double ratio = static_cast<double>(feed) / workFeed;
  for (const FeedBand& band : kFeedBands) {
    const bool fastest = &band == &kFeedBands.front();
    const bool slowest = &band == &kFeedBands.back();
    const bool above = slowest ? ratio >= band.lowest : ratio > band.lowest;
    if (above && ratio <= (fastest ? kHighestRatio : band.highest)) return band.pen;
  }
  return std::nullopt;
}

std::vector<LegendLine> FeedLegend(int workFeed, int clientHeight, bool backgroundInverted) {
  std::vector<LegendLine> lines;
  int top = clientHeight - kLegendBottomOffset;
  for (const FeedBand& band : kFeedBands) {
    // The two feeds are cut to whole numbers, as a feed is written.
    const int low = static_cast<int>(band.lowest * workFeed);
    const int high = static_cast<int>(band.highest * workFeed);
    const Rgb colour = &band == &kFeedBands.front() ? ViewPen(kDefaultPen, backgroundInverted).colour : band.legendColour;
    lines.push_back({"Feed : " + std::to_string(low) + " ~ " + std::to_string(high), {kLegendLeft, top}, colour});
    top -= kLegendLineStep;
  }
  return lines;
}

}  // namespace fendo
