#include "core/statistics.h"

#include <algorithm>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kNoRapidZ = -9999;  // MaxRapidZ of a program without rapid moves
const Point3 kStraightDown{0, 0, -1};

}  // namespace

void Extents::Widen(Point3 p) {
  min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
  max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

// Each move is measured from the motion record visited before it; a move that starts a run
// (FeedStart, RapidStart) is measured from the motion record before it and also widens its
// extents by that point, where the run begins. An arc counts its length along the arc (a helix
// with its rise) and the time that takes at its feed; its end points stay out of the extents.
ToolpathStatistics MeasureStatistics(ToolpathDatabase& db) {
  ToolpathStatistics s;
  const ToolpathRecord* first = db.RecordAt(0);
  Point3 previous = first ? PositionOf(*first) : Point3{};
  db.ForEachRecord([&](int i, const ToolpathRecord& move) {
    if (IsArcKind(move.kind)) {
      const ToolpathRecord* centre = db.RecordAt(i + 1);
      const Point3 offset = centre ? PositionOf(*centre) : Point3{};
      const ArcPlane plane = centre ? PlaneOfCentreKind(centre->kind) : ArcPlane::XY;
      const double length = MeasureArc(previous, PositionOf(move), offset, move.kind, plane).length;
      s.feedLength += length;
      if (move.feed > 0) s.cuttingTime += length / move.feed;
      previous = PositionOf(move);
      return;
    }
    const bool linear = IsLinearFeedKind(move.kind);
    if (!linear && !IsRapidKind(move.kind)) return;
    const Point3 point = PositionOf(move);
    Extents& extents = linear ? s.feedExtents : s.rapidExtents;
    extents.Widen(point);
    if (move.kind == MoveKind::FeedStart || move.kind == MoveKind::RapidStart) {
      db.PrevMotion(i);
      previous = db.cursor.position();
      extents.Widen(previous);
    }
    const double length = Length(point - previous);
    if (linear) {
      s.highestFeed = std::max(s.highestFeed, move.feed);
      s.feedLength += length;
      // A move without a feed (or with a nonsensical negative one) takes no estimated time.
      if (move.feed > 0) s.cuttingTime += length / move.feed;
    } else {
      s.rapidLength += length;
    }
    previous = point;
  });
  return s;
}

void ComputeStatistics(ToolpathDatabase& db) {
  db.statistics = MeasureStatistics(db);
  db.boundingBox = db.statistics.feedExtents;
}

void BoundingBox(ToolpathDatabase& db) {
  Extents box;
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (!IsLinearFeedKind(r.kind)) return;
    box.Widen(PositionOf(r));
    if (r.kind != MoveKind::FeedStart) return;
    // The end of the rapid move into a path belongs to the path, unless the path plunges
    // straight down from it.
    db.PrevMotion(i);
    const Point3 approach = db.cursor.position();
    if (VectorBetween(PositionOf(r), approach).unit != kStraightDown) box.Widen(approach);
  });
  db.boundingBox = box;
}

int MaxFeed(ToolpathDatabase& db) {
  int highest = 0;
  db.ForEachRecord([&highest](int, const ToolpathRecord& r) {
    if (IsLinearFeedKind(r.kind)) highest = std::max(highest, r.feed);
  });
  return highest;
}

double MaxRapidZ(ToolpathDatabase& db) {
  double highest = kNoRapidZ;
  bool any = false;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (!IsRapidKind(r.kind)) return;
    highest = any ? std::max(highest, double{r.z}) : r.z;
    any = true;
  });
  return highest;
}

double LongestSegment(ToolpathDatabase& db) {
  double longest = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!db.IsLinearFeed(i)) continue;
    const SegmentResult segment = db.Segment(i, db.PrevMotion(i));
    const bool vertical = segment.unit.x == 0 && segment.unit.y == 0;
    if (!vertical) longest = std::max(longest, segment.length);
  }
  return longest;
}

}  // namespace fendo
