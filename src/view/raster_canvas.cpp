#include "view/raster_canvas.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace fendo {
namespace {

constexpr int kDashPeriod = kDashOn + kDashOff;

bool Inside(DevicePoint p, int width, int height) {
  return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height;
}

}  // namespace

RasterCanvas::RasterCanvas(std::uint32_t* pixels, int width, int height, int stride)
    : pixels_(pixels), width_(std::max(width, 0)), height_(std::max(height, 0)), stride_(stride) {}

void RasterCanvas::Retarget(std::uint32_t* pixels, int width, int height, int stride) {
  pixels_ = pixels;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = stride;
}

void RasterCanvas::Fill(Rgb colour) {
  const std::uint32_t pixel = PixelOf(colour);
  for (int y = 0; y < height_; ++y) std::fill_n(pixels_ + static_cast<std::ptrdiff_t>(y) * stride_, width_, pixel);
}

void RasterCanvas::SetPen(const Pen& pen) {
  colour_ = PixelOf(pen.colour);
  dashed_ = pen.style == LineStyle::Dashed;
}

void RasterCanvas::Polyline(std::span<const DevicePoint> points) {
  if (points.empty()) return;
  dashPhase_ = 0;
  if (points.size() == 1) {
    Segment<false>(points[0], points[0], true);
    return;
  }
  if (dashed_) {
    for (std::size_t k = 1; k < points.size(); ++k) Segment<true>(points[k - 1], points[k], k == 1);
    return;
  }
  Segment<false>(points[0], points[1], true);
  for (std::size_t k = 2; k < points.size(); ++k) {
    // Most moves of a fitted large program reach only the next pixel: that pixel is the line.
    const DevicePoint to = points[k];
    const int dx = to.x - points[k - 1].x;
    const int dy = to.y - points[k - 1].y;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1 && Inside(to, width_, height_)) {
      pixels_[static_cast<std::ptrdiff_t>(to.y) * stride_ + to.x] = colour_;
    } else {
      Segment<false>(points[k - 1], to, false);
    }
  }
}

void RasterCanvas::Points(std::span<const DevicePoint> points) {
  for (const DevicePoint p : points) {
    if (Inside(p, width_, height_)) pixels_[static_cast<std::ptrdiff_t>(p.y) * stride_ + p.x] = colour_;
  }
}

void RasterCanvas::Rectangle(DevicePoint corner, DevicePoint opposite) {
  const std::array<DevicePoint, 5> outline = {
      {corner, {opposite.x, corner.y}, opposite, {corner.x, opposite.y}, corner}};
  Polyline(outline);
}

void RasterCanvas::Text(DevicePoint, std::string_view, Rgb) {}

// Walks the major axis one pixel a step; the minor coordinate of step k is the start's plus
// round(k · minor extent / major extent), kept as a running remainder. Step 0 is `from`'s
// pixel, drawn only when `withFirstPixel` (a polyline's later segments start on a corner
// already drawn). Steps outside the buffer along the major axis are skipped arithmetically, so
// a line reaching 30000 pixels beyond the window costs no more than one across it.
template <bool kDashed>
void RasterCanvas::Segment(DevicePoint from, DevicePoint to, bool withFirstPixel) {
  const int dx = std::abs(to.x - from.x);
  const int dy = std::abs(to.y - from.y);
  const bool xMajor = dx >= dy;
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const int majorStep = xMajor ? (to.x >= from.x ? 1 : -1) : (to.y >= from.y ? 1 : -1);
  const int minorStep = xMajor ? (to.y >= from.y ? 1 : -1) : (to.x >= from.x ? 1 : -1);
  const int majorStart = xMajor ? from.x : from.y;
  const int minorStart = xMajor ? from.y : from.x;
  const int majorLimit = xMajor ? width_ : height_;
  const int minorLimit = xMajor ? height_ : width_;
  // Pixel offsets of one step along each axis.
  const std::ptrdiff_t majorOffset = xMajor ? majorStep : static_cast<std::ptrdiff_t>(majorStep) * stride_;
  const std::ptrdiff_t minorOffset = xMajor ? static_cast<std::ptrdiff_t>(minorStep) * stride_ : minorStep;

  int first = withFirstPixel ? 0 : 1;
  int last = major;
  if (last < first) return;
  // The steps whose major coordinate lies inside the buffer.
  const int firstInside = majorStep > 0 ? -majorStart : majorStart - (majorLimit - 1);
  const int lastInside = majorStep > 0 ? majorLimit - 1 - majorStart : majorStart;
  const int phaseAtFirst = dashPhase_;
  dashPhase_ += last - first + 1;
  const bool clipped = !Inside(from, width_, height_) || !Inside(to, width_, height_);
  const int begin = std::max(first, firstInside);
  const int end = std::min(last, lastInside);
  if (begin > end) return;

  // Twice the exact minor offset at step k, less the rounding so far: 2·k·minor + major.
  const std::int64_t twiceMajor = 2 * static_cast<std::int64_t>(major);
  const std::int64_t numerator = 2 * static_cast<std::int64_t>(begin) * minor + major;
  int minorAt = minorStart + minorStep * static_cast<int>(major == 0 ? 0 : numerator / twiceMajor);
  std::int64_t remainder = major == 0 ? 0 : numerator % twiceMajor;
  int majorAt = majorStart + majorStep * begin;
  int phase = (phaseAtFirst + begin - first) % kDashPeriod;
  const auto advance = [&] {
    if constexpr (kDashed) {
      if (++phase == kDashPeriod) phase = 0;
    }
    remainder += 2 * minor;
    if (remainder < twiceMajor) return false;
    remainder -= twiceMajor;
    return true;
  };
  if (clipped) {
    // Only the minor coordinate can leave the buffer now: test it on every pixel.
    for (int k = begin; k <= end; ++k, majorAt += majorStep) {
      if ((!kDashed || phase < kDashOn) && minorAt >= 0 && minorAt < minorLimit) {
        const int x = xMajor ? majorAt : minorAt;
        const int y = xMajor ? minorAt : majorAt;
        pixels_[static_cast<std::ptrdiff_t>(y) * stride_ + x] = colour_;
      }
      if (advance()) minorAt += minorStep;
    }
    return;
  }
  std::uint32_t* pixel = pixels_ + (xMajor ? static_cast<std::ptrdiff_t>(minorAt) * stride_ + majorAt
                                           : static_cast<std::ptrdiff_t>(majorAt) * stride_ + minorAt);
  for (int k = begin; k <= end; ++k) {
    if (!kDashed || phase < kDashOn) *pixel = colour_;
    // The last step would point past the line's end pixel: stop before moving there.
    if (k == end) break;
    pixel += majorOffset;
    if (advance()) pixel += minorOffset;
  }
}

}  // namespace fendo
