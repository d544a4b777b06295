#include "generate/pencil_link_guard.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace fendo {
namespace {

constexpr double kSmallestCell = 1;    // mm
constexpr double kLargestCell = 10;    // mm
constexpr double kAbove = 0.01;        // mm: a cut this much above the link stands in its way
constexpr double kAtEnd = 1e-6;        // of the link's length: a crossing this near an end is the corner itself
constexpr std::int64_t kRowSpan = std::int64_t{1} << 32;

}  // namespace

std::int64_t PencilLinkGuard::CellKey(double x, double y) const {
  const auto column = static_cast<std::int64_t>(std::floor(x / cell_));
  const auto row = static_cast<std::int64_t>(std::floor(y / cell_));
  return row * kRowSpan + column;
}

PencilLinkGuard::PencilLinkGuard(const RecordList& records, double maxLink)
    : cell_(std::clamp(maxLink / 2, kSmallestCell, kLargestCell)) {
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
  const double length = std::hypot(dx, dy);
  // The cells along the link, each with its neighbours, so that none it clips is missed.
  const int steps = static_cast<int>(length / (cell_ / 2)) + 1;
  for (int s = 0; s <= steps; ++s) {
    const double t = static_cast<double>(s) / steps;
    const std::int64_t centre = CellKey(a.x + t * dx, a.y + t * dy);
    for (std::int64_t row = -1; row <= 1; ++row) {
      for (std::int64_t column = -1; column <= 1; ++column) {
        const std::int64_t key = centre + row * kRowSpan + column;
        const auto first = std::ranges::lower_bound(keys_, key);
        for (auto it = first; it != keys_.end() && *it == key; ++it) {
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
          const double tc = (px * ey - py * ex) / denominator;
          const double uc = (px * dy - py * dx) / denominator;
          if (tc <= kAtEnd || tc >= 1 - kAtEnd || uc < 0 || uc > 1) continue;
          const double linkZ = a.z + tc * (b.z - a.z);
          const double cutZ = cut.from.z + uc * (cut.to.z - cut.from.z);
          if (cutZ > linkZ + kAbove) return false;
        }
      }
    }
  }
  return true;
}

}  // namespace fendo
