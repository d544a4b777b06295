// Feed limits inside a window or polygon.
//
// The user marks a region of the view; every cutting move inside it gets at most (maximum) or
// at least (minimum) the limit feed, and everything outside keeps its feed. The region is a
// polygon in the view's client pixels, so what is inside is what the user saw inside: points
// are projected with the view's Projection and tested by the even-odd rule.
//
// A move is cut wherever it passes in or out of the polygon and that changes its feed; each
// part is limited by whether its middle lies inside, so a move that leaves a concave polygon
// and comes back is limited only where it is inside. A straight move is split at the crossing
// point. An arc is searched for crossings along its chords (one about every three pixels of
// the view, as it is drawn) and split into arcs about the same centre; a split is made only
// where both parts stay arcs whose sweeps add up to the whole, as the arc rule measures them
// once their points are stored. Crossings closer than kShortestPiece to an end of the move or
// to each other split nothing. Rapid moves are copied as they are.
//
// The new sequence is built in a scratch store, its rapid moves rebuilt there, and it replaces
// the work buffer only once it is whole: a result beyond the record limit is refused with
// nothing changed.
#include "feed/window_feed_limits.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

constexpr std::string_view kCancelQuestion = "Feed 변경 작업을 취소 하겠습니까?";
constexpr std::string_view kCancelCaption = "Error message";
constexpr double kNarrowestWindow = 2;   // pixels
constexpr double kPixelsPerArcStep = 3;  // arcs are searched for crossings as finely as they are drawn
constexpr double kMostArcSteps = 100000;
constexpr double kShortestPiece = 0.001;  // mm
constexpr double kSweepTolerance = 0.5;   // degrees a split arc's part may differ from its share

// A rectangle of client pixels.
struct ScreenBox {
  double minX = HUGE_VAL;
  double minY = HUGE_VAL;
  double maxX = -HUGE_VAL;
  double maxY = -HUGE_VAL;

  void Add(ClientPoint p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  bool Overlaps(const ScreenBox& o) const { return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY; }
  bool Contains(ClientPoint p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

// The polygon on the screen of the view.
class ScreenPolygon {
 public:
  ScreenPolygon(std::span<const ClientPoint> vertices, const ViewState& view)
      : vertices_(vertices.begin(), vertices.end()), projection_(view), scale_(view.scale) {
    for (ClientPoint v : vertices_) box_.Add(v);
  }

  ClientPoint ToScreen(Point3 p) const { return projection_.ToClient(p); }
  double scale() const { return scale_; }
  const ScreenBox& box() const { return box_; }

  // Even-odd rule: a ray to the right of the point crosses an odd number of edges.
  bool Inside(Point3 p) const {
    const ClientPoint q = ToScreen(p);
    if (!box_.Contains(q)) return false;
    bool inside = false;
    for (std::size_t i = 0, j = vertices_.size() - 1; i < vertices_.size(); j = i++) {
      const ClientPoint a = vertices_[i];
      const ClientPoint b = vertices_[j];
      if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  }

  // Appends from + t·span for every t in 0 … 1 where the screen segment a→b meets an edge.
  void AddCrossings(ClientPoint a, ClientPoint b, double from, double span, std::vector<double>& out) const {
    ScreenBox segment;
    segment.Add(a);
    segment.Add(b);
    if (!segment.Overlaps(box_)) return;
    const double rx = b.x - a.x;
    const double ry = b.y - a.y;
    for (std::size_t i = 0, j = vertices_.size() - 1; i < vertices_.size(); j = i++) {
      const ClientPoint c = vertices_[j];
      const double sx = vertices_[i].x - c.x;
      const double sy = vertices_[i].y - c.y;
      const double denominator = rx * sy - ry * sx;
      if (denominator == 0) continue;  // parallel: the pieces' middles decide
      const double qx = c.x - a.x;
      const double qy = c.y - a.y;
      const double t = (qx * sy - qy * sx) / denominator;
      const double u = (qx * ry - qy * rx) / denominator;
      if (t >= 0 && t <= 1 && u >= 0 && u <= 1) out.push_back(from + t * span);
    }
  }

 private:
  std::vector<ClientPoint> vertices_;
  Projection projection_;
  double scale_;  // pixels per mm
  ScreenBox box_;
};

struct Limiter {
  const ScreenPolygon& polygon;
  int feed;  // mm/min
  FeedLimit limit;

  int Limited(int f, bool inside) const {
    if (!inside) return f;
    return limit == FeedLimit::Maximum ? std::min(f, feed) : std::max(f, feed);
  }
};

Point3 Stored(Point3 p) { return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)}; }

void SetPosition(ToolpathRecord& r, Point3 p) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
}

bool Append(ToolpathDatabase& out, const ToolpathRecord& record) {
  out.cursor = ToCursor(record);
  if (!out.WriteRecord(out.recordCount)) return false;
  ++out.recordCount;
  return true;
}

// The fractions (0 … 1 along a move `length` mm long) where the move must be split, from the
// fractions where it meets an edge: those where its feed changes, feedAt(t) being the feed of
// the part around fraction t. A crossing where the limit changes nothing splits nothing.
template <typename FeedAt>
std::vector<double> Boundaries(std::vector<double> crossings, double length, FeedAt feedAt) {
  std::sort(crossings.begin(), crossings.end());
  std::vector<double> cuts{0};
  for (double t : crossings) {
    if ((t - cuts.back()) * length >= kShortestPiece && (1 - t) * length >= kShortestPiece) cuts.push_back(t);
  }
  cuts.push_back(1);
  std::vector<double> boundaries;
  int previousFeed = feedAt((cuts[0] + cuts[1]) / 2);
  for (std::size_t k = 1; k + 1 < cuts.size(); ++k) {
    const int feed = feedAt((cuts[k] + cuts[k + 1]) / 2);
    if (feed != previousFeed) boundaries.push_back(cuts[k]);
    previousFeed = feed;
  }
  return boundaries;
}

bool AppendLine(ToolpathDatabase& out, const Limiter& limiter, Point3 from, const ToolpathRecord& line) {
  const Point3 delta = PositionOf(line) - from;
  const auto pointAt = [&](double t) { return from + delta * t; };
  const auto feedAt = [&](double t) { return limiter.Limited(line.feed, limiter.polygon.Inside(pointAt(t))); };
  std::vector<double> crossings;
  limiter.polygon.AddCrossings(limiter.polygon.ToScreen(from), limiter.polygon.ToScreen(PositionOf(line)), 0, 1,
                               crossings);
  std::vector<double> ends = Boundaries(std::move(crossings), Length(delta), feedAt);
  ends.push_back(1);
  double start = 0;
  for (std::size_t k = 0; k < ends.size(); ++k) {
    ToolpathRecord piece = line;
    if (ends[k] < 1) SetPosition(piece, pointAt(ends[k]));
    if (k > 0) piece.kind = MoveKind::Feed;
    piece.feed = feedAt((start + ends[k]) / 2);
    if (!Append(out, piece)) return false;
    start = ends[k];
  }
  return true;
}

// The point of the arc at fraction f of its sweep; the coordinate normal to the plane moves
// evenly from the start's to the end's, so that a helix stays a helix.
Point3 ArcPointAt(const Arc& arc, double f) {
  if (f <= 0) return arc.start;
  if (f >= 1) return arc.end;
  const double turn = arc.kind == MoveKind::ArcCw ? -arc.sweep : arc.sweep;
  Point3 p = PointOnArc(arc.centre, arc.radius, arc.startAngle + turn * f, arc.plane);
  const PlaneAxes axes = AxesOf(arc.plane);
  p.*axes.normal = arc.start.*axes.normal + (arc.end.*axes.normal - arc.start.*axes.normal) * f;
  return p;
}

// The centre record's I, J, K for a part of the arc that starts at `start`.
Point3 CentreOffset(const Arc& arc, Point3 start) {
  Point3 offset = Stored(arc.centre - start);
  offset.*AxesOf(arc.plane).normal = 0;
  return offset;
}

// Whether the part of the arc from `start` to `end` (points as stored) with that centre
// offset measures `share` of the whole arc's sweep.
bool IsPartOf(const Arc& arc, Point3 start, Point3 end, Point3 offset, double share) {
  const Arc part = MeasureArc(start, end, offset, arc.kind, arc.plane);
  return std::fabs(part.sweep - share * arc.sweep) <= kSweepTolerance;
}

// The screen box around the arc's whole circle: an arc outside it cannot meet the polygon.
ScreenBox CircleBox(const Arc& arc, const ScreenPolygon& polygon) {
  const PlaneAxes axes = AxesOf(arc.plane);
  ScreenBox box;
  for (double u : {-arc.radius, arc.radius}) {
    for (double v : {-arc.radius, arc.radius}) {
      for (double n : {arc.start.*axes.normal, arc.end.*axes.normal}) {
        Point3 corner = arc.centre;
        corner.*axes.first += u;
        corner.*axes.second += v;
        corner.*axes.normal = n;
        box.Add(polygon.ToScreen(corner));
      }
    }
  }
  return box;
}

std::vector<double> ArcCrossings(const Arc& arc, const ScreenPolygon& polygon) {
  std::vector<double> crossings;
  if (arc.radius < kShortestPiece || !CircleBox(arc, polygon).Overlaps(polygon.box())) return crossings;
  const double wanted = arc.length * polygon.scale() / kPixelsPerArcStep + 1;
  const int steps = std::max(1, static_cast<int>(std::min(wanted, kMostArcSteps)));
  ClientPoint from = polygon.ToScreen(arc.start);
  for (int k = 1; k <= steps; ++k) {
    const ClientPoint to = polygon.ToScreen(ArcPointAt(arc, static_cast<double>(k) / steps));
    polygon.AddCrossings(from, to, static_cast<double>(k - 1) / steps, 1.0 / steps, crossings);
    from = to;
  }
  return crossings;
}

bool AppendArc(ToolpathDatabase& out, const Limiter& limiter, Point3 from, const ToolpathRecord& arcRecord,
               const ToolpathRecord& centre) {
  const Arc arc = MeasureArc(from, PositionOf(arcRecord), PositionOf(centre), arcRecord.kind,
                             PlaneOfCentreKind(centre.kind));
  const auto feedAt = [&](double f) { return limiter.Limited(arcRecord.feed, limiter.polygon.Inside(ArcPointAt(arc, f))); };
  const std::vector<double> boundaries = Boundaries(ArcCrossings(arc, limiter.polygon), arc.length, feedAt);

  // The split points that leave both parts whole arcs once stored.
  struct Split {
    double fraction;
    Point3 point;
  };
  std::vector<Split> splits;
  Split last{0, arc.start};
  Point3 lastOffset = PositionOf(centre);
  for (double f : boundaries) {
    const Point3 point = Stored(ArcPointAt(arc, f));
    const Point3 offset = CentreOffset(arc, point);
    if (!IsPartOf(arc, last.point, point, lastOffset, f - last.fraction) || !IsPartOf(arc, point, arc.end, offset, 1 - f)) {
      continue;
    }
    last = {f, point};
    lastOffset = offset;
    splits.push_back(last);
  }
  splits.push_back({1, arc.end});

  ToolpathRecord centreRecord = centre;
  double start = 0;
  for (const Split& split : splits) {
    ToolpathRecord piece = arcRecord;
    if (split.fraction < 1) SetPosition(piece, split.point);
    piece.feed = feedAt((start + split.fraction) / 2);
    if (!Append(out, piece) || !Append(out, centreRecord)) return false;
    SetPosition(centreRecord, CentreOffset(arc, split.point));
    start = split.fraction;
  }
  return true;
}

// Writes the records of `from` over the work buffer. The chunks the longer program needs are
// claimed before the first record is overwritten, so a failure leaves the buffer as it was.
bool CopyOver(ToolpathDatabase& db, ToolpathDatabase& from) {
  constexpr int kChunk = WorkBuffer::kChunkRecords;
  db.cursor = {};
  for (int i = db.recordCount; i < from.recordCount; i = (i / kChunk + 1) * kChunk) {
    if (!db.WriteRecord(i)) return false;
  }
  from.ForEachRecord([&db](int i, const ToolpathRecord& r) {
    db.cursor = ToCursor(r);
    db.WriteRecord(i);
  });
  db.recordCount = from.recordCount;
  return true;
}

}  // namespace

FeedWindowCheck CheckFeedWindow(ClientPoint a, ClientPoint b, UserPrompts& prompts) {
  if (a.x < 0 || a.y < 0 || b.x < 0 || b.y < 0) {
    const bool cancel = prompts.AskOkCancel(kCancelQuestion, kCancelCaption, PromptIcon::Question);
    return cancel ? FeedWindowCheck::End : FeedWindowCheck::PickAgain;
  }
  if (std::fabs(a.x - b.x) < kNarrowestWindow || std::fabs(a.y - b.y) < kNarrowestWindow) return FeedWindowCheck::End;
  return FeedWindowCheck::Apply;
}

std::array<ClientPoint, 4> WindowPolygon(ClientPoint a, ClientPoint b) {
  return {{{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}}};
}

bool FeedLimitInPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon, const ViewState& view, int feed,
                        FeedLimit limit) {
  if (feed < kLowestFeedValue || feed > kHighestFeedValue) return false;
  if (polygon.size() < 3) return true;
  const ScreenPolygon screen(polygon, view);
  const Limiter limiter{screen, feed, limit};
  const auto limited = std::make_unique<ToolpathDatabase>();
  limited->safeZ = db.safeZ;
  std::optional<Point3> previous;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord record = *db.RecordAt(i);
    if (!IsMotionKind(record.kind)) continue;
    // The first motion record has no move leading to it: it is taken as a point.
    const Point3 from = previous.value_or(PositionOf(record));
    previous = PositionOf(record);
    bool appended = false;
    if (IsRapidKind(record.kind)) {
      appended = Append(*limited, record);
    } else if (IsLinearFeedKind(record.kind)) {
      appended = AppendLine(*limited, limiter, from, record);
    } else if (const ToolpathRecord* centre = db.RecordAt(i + 1); centre && IsCentreKind(centre->kind)) {
      appended = AppendArc(*limited, limiter, from, record, *centre);
    } else {
      ToolpathRecord arc = record;
      arc.feed = limiter.Limited(record.feed, screen.Inside(PositionOf(record)));
      appended = Append(*limited, arc);
    }
    if (!appended) return false;
  }
  if (!RebuildRapids(*limited)) return false;
  return CopyOver(db, *limited);
}

}  // namespace fendo
