#include "generate/pencil_link_guard.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace fendo {
namespace {

constexpr double kSmallestCell = 0.5;  // mm
constexpr double kLargestCell = 10;    // mm
constexpr double kAbove = 0.01;        // mm: a cut this much above the link stands in its way
constexpr double kAtEnd = 1e-6;        // of the link's length: a crossing this near an end is the corner itself
constexpr std::int64_t kRowSpan = std::int64_t{1} << 32;
constexpr std::int64_t kFewCells = 64;  // a link whose box holds no more looks at all of them

}  // namespace

std::int64_t PencilLinkGuard::CellKey(double x, double y) const {
  const auto column = static_cast<std::int64_t>(std::floor(x / cell_));
  const auto row = static_cast<std::int64_t>(std::floor(y / cell_));
  return row * kRowSpan + column;
}

PencilLinkGuard::PencilLinkGuard(const RecordList& records, double maxLink)
    : cell_(std::clamp(maxLink / 4, kSmallestCell, kLargestCell)) {
  const int n = static_cast<int>(records.size());
  int prev = -1;
  for (int i = 0; i < n; i = NextMotionIn(records, i)) {
    if (!IsMotionKind(records[i].kind)) continue;
    if (prev >= 0 && IsCuttingKind(records[i].kind)) cuts_.push_back({PositionOf(records[prev]), PositionOf(records[i])});
    prev = i;
  }
  std::vector<std::pair<std::int64_t, int>> entries;
  for (int c = 0; c < static_cast<int>(cuts_.size()); ++c) {
    const Cut& cut = cuts_[c];
    const auto x0 = static_cast<std::int64_t>(std::floor(std::min(cut.from.x, cut.to.x) / cell_));
    const auto x1 = static_cast<std::int64_t>(std::floor(std::max(cut.from.x, cut.to.x) / cell_));
    const auto y0 = static_cast<std::int64_t>(std::floor(std::min(cut.from.y, cut.to.y) / cell_));
    const auto y1 = static_cast<std::int64_t>(std::floor(std::max(cut.from.y, cut.to.y) / cell_));
    for (std::int64_t y = y0; y <= y1; ++y) {
      for (std::int64_t x = x0; x <= x1; ++x) entries.emplace_back(y * kRowSpan + x, c);
    }
  }
  std::ranges::sort(entries);
  keys_.reserve(entries.size());
  cutOf_.reserve(entries.size());
  for (const auto& [key, cut] : entries) {
    keys_.push_back(key);
    cutOf_.push_back(cut);
  }
  seen_.assign(cuts_.size(), -1);
}

bool PencilLinkGuard::CanStayDown(Point3 a, Point3 b) const {
  ++question_;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  // Whether a cut in the cell `key` stands above the link.
  const auto blockedIn = [&](std::int64_t key) {
    for (auto it = std::ranges::lower_bound(keys_, key); it != keys_.end() && *it == key; ++it) {
      const int c = cutOf_[it - keys_.begin()];
      if (seen_[c] == question_) continue;
      seen_[c] = question_;
      const Cut& cut = cuts_[c];
      // Where the link (a + t·d) and the cut (p + u·e) cross in XY.
      const double ex = cut.to.x - cut.from.x;
      const double ey = cut.to.y - cut.from.y;
      const double denominator = dx * ey - dy * ex;
      if (denominator == 0) continue;  // parallel: no single crossing
      const double px = cut.from.x - a.x;
      const double py = cut.from.y - a.y;
      const double t = (px * ey - py * ex) / denominator;
      const double u = (px * dy - py * dx) / denominator;
      if (t <= kAtEnd || t >= 1 - kAtEnd || u < 0 || u > 1) continue;
      const double linkZ = a.z + t * (b.z - a.z);
      const double cutZ = cut.from.z + u * (cut.to.z - cut.from.z);
      if (cutZ > linkZ + kAbove) return true;
    }
    return false;
  };
  const auto x0 = static_cast<std::int64_t>(std::floor(std::min(a.x, b.x) / cell_));
  const auto x1 = static_cast<std::int64_t>(std::floor(std::max(a.x, b.x) / cell_));
  const auto y0 = static_cast<std::int64_t>(std::floor(std::min(a.y, b.y) / cell_));
  const auto y1 = static_cast<std::int64_t>(std::floor(std::max(a.y, b.y) / cell_));
  if ((x1 - x0 + 1) * (y1 - y0 + 1) <= kFewCells) {
    // A short link: every cell of its box.
    for (std::int64_t y = y0; y <= y1; ++y) {
      for (std::int64_t x = x0; x <= x1; ++x) {
        if (blockedIn(y * kRowSpan + x)) return false;
      }
    }
    return true;
  }
  // A long one: the cells along it, each with its neighbours, so that none it clips is missed.
  const int steps = static_cast<int>(std::hypot(dx, dy) / (cell_ / 2)) + 1;
  for (int s = 0; s <= steps; ++s) {
    const double t = static_cast<double>(s) / steps;
    const std::int64_t centre = CellKey(a.x + t * dx, a.y + t * dy);
    for (std::int64_t row = -1; row <= 1; ++row) {
      for (std::int64_t column = -1; column <= 1; ++column) {
        if (blockedIn(centre + row * kRowSpan + column)) return false;
      }
    }
  }
  return true;
}

}  // namespace fendo
