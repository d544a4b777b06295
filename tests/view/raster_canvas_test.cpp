#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "view/raster_canvas.h"

namespace fendo {
namespace {

constexpr std::uint32_t kBlack = 0xff000000u;
constexpr std::uint32_t kWhite = 0xffffffffu;

struct Buffer {
  Buffer(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, kBlack), canvas(pixels.data(), w, h, w) {}
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  int lit() const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), kWhite)); }
  int width, height;
  std::vector<std::uint32_t> pixels;
  RasterCanvas canvas;
};

TEST(RasterCanvas, LinesCoverBothEndsWithOnePixelPerMajorStep) {
  Buffer b(40, 30);
  b.canvas.SetPen({{255, 255, 255}});
  b.canvas.Line({2, 3}, {12, 3});
  b.canvas.Line({30, 25}, {30, 20});
  b.canvas.Line({5, 10}, {15, 20});  // 45 degrees
  b.canvas.Line({20, 10}, {29, 13});  // shallow: 10 steps along x, y rounding to nearest
  EXPECT_EQ(b.lit(), 11 + 6 + 11 + 10);
  EXPECT_EQ(b.at(2, 3), kWhite);
  EXPECT_EQ(b.at(12, 3), kWhite);
  EXPECT_EQ(b.at(13, 3), kBlack);
  for (int k = 0; k <= 10; ++k) EXPECT_EQ(b.at(5 + k, 10 + k), kWhite);
  const int expectedY[] = {10, 10, 11, 11, 11, 12, 12, 12, 13, 13};  // round(k · 3 / 9), halves up
  for (int k = 0; k < 10; ++k) EXPECT_EQ(b.at(20 + k, expectedY[k]), kWhite) << k;
  // The colour is the pen's, in 0xffRRGGBB.
  b.canvas.SetPen({{1, 2, 3}});
  b.canvas.Points(std::vector<DevicePoint>{{0, 0}, {-1, 0}, {40, 29}});
  EXPECT_EQ(b.at(0, 0), 0xff010203u);
}

TEST(RasterCanvas, DashesRunOnAcrossTheCornersOfAPolyline) {
  Buffer b(40, 10);
  b.canvas.SetPen({{255, 255, 255}, LineStyle::Dashed});
  // 10 pixels right, then on along the same row: the corner pixel is drawn once.
  const std::vector<DevicePoint> polyline = {{0, 5}, {9, 5}, {29, 5}};
  b.canvas.Polyline(polyline);
  for (int x = 0; x < 30; ++x) EXPECT_EQ(b.at(x, 5) == kWhite, x % 12 < 8) << x;
}

TEST(RasterCanvas, ClippingKeepsThePixelsOfTheWholeLine) {
  // Lines reaching far beyond a small window give, inside it, exactly the pixels they give in
  // a window large enough to hold them, dashes included.
  constexpr int kOffset = 700;
  Buffer small(160, 120);
  Buffer large(160 + 2 * kOffset, 120 + 2 * kOffset);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-kOffset + 1, 160 + kOffset - 2);
  for (int n = 0; n < 400; ++n) {
    const DevicePoint a{coordinate(random), coordinate(random) * 120 / 160};
    const DevicePoint c{coordinate(random), coordinate(random) * 120 / 160};
    const LineStyle style = n % 2 ? LineStyle::Dashed : LineStyle::Solid;
    small.canvas.SetPen({{255, 255, 255}, style});
    large.canvas.SetPen({{255, 255, 255}, style});
    small.canvas.Line(a, c);
    large.canvas.Line({a.x + kOffset, a.y + kOffset}, {c.x + kOffset, c.y + kOffset});
  }
  int lit = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 160; ++x) {
      ASSERT_EQ(small.at(x, y), large.at(x + kOffset, y + kOffset)) << x << "," << y;
      lit += small.at(x, y) == kWhite;
    }
  }
  EXPECT_GT(lit, 100);
}

TEST(RasterCanvas, FillAndRectangle) {
  Buffer b(20, 10);
  b.canvas.Fill({255, 255, 255});
  EXPECT_EQ(b.lit(), 200);
  b.canvas.SetPen({{0, 0, 0}});
  b.canvas.Rectangle({2, 2}, {7, 5});
  EXPECT_EQ(b.lit(), 200 - 2 * 6 - 2 * 2);
  EXPECT_EQ(b.at(4, 3), kWhite);
}

}  // namespace
}  // namespace fendo
