#include "generate/rectangle_loop.h"

#include <algorithm>
#include <array>

namespace fendo {
namespace {

// A corner by the signs of its offsets from the centre, in counter-clockwise order from the
// top right.
struct CornerSigns {
  int x;
  int y;
};
constexpr std::array<CornerSigns, 4> kCounterClockwise = {{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}};

}  // namespace

LoopPoint LoopStart(const RectangleLoop& loop) {
  if (loop.hx <= loop.hy) return {loop.cx + loop.hx, loop.cy};
  return {loop.cx, loop.cy + loop.hy};
}

void CutLoop(GeneratedPath& path, const RectangleLoop& loop) {
  const double r = std::min({loop.r, loop.hx, loop.hy});
  const bool rounded = r >= kSharpCorner;
  const double inset = rounded ? r : 0;
  // From the right side the first corner is the top right one; from the top side, the top left.
  const int first = loop.hx <= loop.hy ? 0 : 1;
  for (int k = 0; k < 4; ++k) {
    const CornerSigns c = kCounterClockwise[(first + k) % 4];
    // Counter-clockwise, a corner is reached along X where x and y have the same sign, along Y
    // where they differ.
    const bool alongY = c.x == c.y;
    const double cornerX = loop.cx + c.x * loop.hx;
    const double cornerY = loop.cy + c.y * loop.hy;
    const LoopPoint entry = alongY ? LoopPoint{cornerX, cornerY - c.y * inset} : LoopPoint{cornerX - c.x * inset, cornerY};
    const LoopPoint exit = alongY ? LoopPoint{cornerX - c.x * inset, cornerY} : LoopPoint{cornerX, cornerY - c.y * inset};
    path.FeedTo(entry.x, entry.y);
    if (rounded) path.ArcTo(MoveKind::ArcCcw, exit.x, exit.y, cornerX - c.x * r, cornerY - c.y * r);
  }
  const LoopPoint start = LoopStart(loop);
  path.FeedTo(start.x, start.y);
}

}  // namespace fendo
