// The slicing of a finishing path into the cut points of horizontal planes.
#include "generate/contour_slicing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/geometry.h"
#include "core/progress.h"

namespace fendo {
namespace {

constexpr int kProgressEvery = 1 << 16;  // records between two progress reports

// The first plane at or below height z, counted from the top (may lie outside 1 … count).
int PlaneAtOrBelow(const ContourPlanes& planes, double z) {
  return static_cast<int>(std::ceil((planes.topZ - z) / planes.spacing));
}

void ReportProgress(Progress* progress, int done, int total) {
  if (!progress) return;
  char text[64];
  std::snprintf(text, sizeof text, "Processing(%d/%d). ", done, total);
  progress->Report(text, done, total);
}

}  // namespace

int ContourPlanes::Count() const {
  if (!(spacing > 0) || !(topZ > bottomZ)) return 0;
  return static_cast<int>((topZ - bottomZ) / spacing);
}

std::optional<ContourCuts> SlicePath(const RecordList& records, const ContourPlanes& planes, std::size_t limit,
                                     Progress* progress) {
  const int count = planes.Count();
  const int n = static_cast<int>(records.size());
  // Calls cut(k, point, record) for every point in the order of the path; `walk` (0 or 1)
  // places the progress.
  const auto forEachCut = [&](int walk, auto cut) {
    int prev = -1;
    for (int i = 0; i < n; i = NextMotionIn(records, i)) {
      if (i % kProgressEvery == 0) ReportProgress(progress, walk * n + i, 2 * n);
      const ToolpathRecord& r = records[i];
      if (prev >= 0 && IsLinearFeedKind(r.kind)) {
        const Point3 s = PositionOf(records[prev]);
        const Point3 e = PositionOf(r);
        // Rounding can put a plane's height a hair outside what the division says: one plane
        // more on each side is asked, and SegmentAtHeight decides.
        const int first = std::max(1, PlaneAtOrBelow(planes, std::max(s.z, e.z)) - 1);
        const int last = std::min(count, PlaneAtOrBelow(planes, std::min(s.z, e.z)) + 1);
        for (int k = first; k <= last; ++k) {
          if (const std::optional<Point3> point = SegmentAtHeight(s, e, planes.HeightOf(k))) cut(k, *point, r);
        }
      }
      if (IsMotionKind(r.kind)) prev = i;
    }
  };

  // Per plane its points, then where they start; planes without a point take no room.
  std::vector<std::size_t> at(count + 1, 0);
  std::size_t total = 0;
  forEachCut(0, [&](int k, Point3, const ToolpathRecord&) {
    ++at[k];
    ++total;
  });
  if (total > limit) return std::nullopt;
  ContourCuts cuts;
  cuts.points.resize(total);
  std::size_t next = 0;
  for (int k = 1; k <= count; ++k) {
    const std::size_t points = at[k];
    at[k] = next;
    next += points;
    if (points > 0) cuts.ends.push_back(next);
  }
  forEachCut(1, [&](int k, Point3 point, const ToolpathRecord& r) {
    ToolpathRecord& cutPoint = cuts.points[at[k]++];
    cutPoint = r;
    cutPoint.x = static_cast<float>(point.x);
    cutPoint.y = static_cast<float>(point.y);
    cutPoint.z = static_cast<float>(point.z);
    cutPoint.kind = MoveKind::Feed;
    cutPoint.selected = 0;
  });
  ReportProgress(progress, 2 * n, 2 * n);
  return cuts;
}

}  // namespace fendo
