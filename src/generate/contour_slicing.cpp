// The slicing of a finishing path into the cut points of horizontal planes.
#include "generate/contour_slicing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

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

std::optional<std::vector<PlanePoints>> SlicePath(const RecordList& records, const ContourPlanes& planes,
                                                  std::size_t limit, Progress* progress) {
  const int count = planes.Count();
  // (plane, point) in the order of the path; sorted by plane at the end, so that a fine spacing
  // over a tall range costs nothing for the planes that cut nothing.
  std::vector<std::pair<int, ToolpathRecord>> cut;
  const int n = static_cast<int>(records.size());
  int prev = -1;
  for (int i = 0; i < n; i = NextMotionIn(records, i)) {
    if (i % kProgressEvery == 0) ReportProgress(progress, i, n);
    const ToolpathRecord& r = records[i];
    if (prev >= 0 && IsLinearFeedKind(r.kind) && count > 0) {
      const Point3 s = PositionOf(records[prev]);
      const Point3 e = PositionOf(r);
      // Rounding can put a plane's height a hair outside what the division says: one plane
      // more on each side is asked, and SegmentAtHeight decides.
      const int first = std::max(1, PlaneAtOrBelow(planes, std::max(s.z, e.z)) - 1);
      const int last = std::min(count, PlaneAtOrBelow(planes, std::min(s.z, e.z)) + 1);
      for (int k = first; k <= last; ++k) {
        const std::optional<Point3> point = SegmentAtHeight(s, e, planes.HeightOf(k));
        if (!point) continue;
        if (cut.size() == limit) return std::nullopt;
        ToolpathRecord cutPoint = r;
        cutPoint.x = static_cast<float>(point->x);
        cutPoint.y = static_cast<float>(point->y);
        cutPoint.z = static_cast<float>(point->z);
        cutPoint.kind = MoveKind::Feed;
        cutPoint.selected = 0;
        cut.emplace_back(k, cutPoint);
      }
    }
    if (IsMotionKind(r.kind)) prev = i;
  }
  ReportProgress(progress, n, n);
  std::ranges::stable_sort(cut, {}, [](const auto& c) { return c.first; });
  std::vector<PlanePoints> cutPlanes;
  for (std::size_t at = 0; at < cut.size(); ++at) {
    if (at == 0 || cut[at].first != cut[at - 1].first) cutPlanes.emplace_back();
    cutPlanes.back().push_back(cut[at].second);
  }
  return cutPlanes;
}

}  // namespace fendo
