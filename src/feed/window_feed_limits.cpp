// Feed limits inside a window or polygon.
//
// The user marks a region of the view; every cutting move inside it gets at most (maximum) or
// at least (minimum) the limit feed, and everything outside keeps its feed. The region is a
// polygon in the view's client pixels, so what is inside is what the user saw inside: points
// are projected with the view's Projection and tested by the even-odd rule (ScreenPolygon).
//
// A move is cut wherever it passes in or out of the polygon and that changes its feed; each
// part is limited by whether its middle lies inside, so a move that leaves a concave polygon
// and comes back is limited only where it is inside. A straight move is split at the crossing
// point. An arc is searched for crossings along its chords (one about every three pixels of
// the view, as it is drawn) and split into arcs about the same centre (SplitArc); a split is
// made only where both parts stay arcs whose sweeps add up to the whole, as the arc rule
// measures them once their points are stored. Crossings closer than kShortestPiece to an end of the move or
// to each other split nothing. Rapid moves are copied as they are.
//
// The new sequence is built in a scratch store, its rapid moves rebuilt there, and it replaces
// the work buffer's records only once it is whole (ReplaceRecords): a result beyond the record limit is refused with
// nothing changed.
#include "feed/window_feed_limits.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "core/arc_rule.h"
#include "core/arc_split.h"
#include "core/post_edit.h"
#include "core/screen_polygon.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

constexpr std::string_view kCancelQuestion = "Feed 변경 작업을 취소 하겠습니까?";
constexpr std::string_view kCancelCaption = "Error message";
constexpr double kNarrowestWindow = 2;   // pixels
constexpr double kShortestPiece = 0.001;  // mm

struct Limiter {
  const ScreenPolygon& polygon;
  int feed;  // mm/min
  FeedLimit limit;

  int Limited(int f, bool inside) const {
    if (!inside) return f;
    return limit == FeedLimit::Maximum ? std::min(f, feed) : std::max(f, feed);
  }
};

void SetPosition(ToolpathRecord& r, Point3 p) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
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
  std::vector<double> ends = Boundaries(limiter.polygon.LineCrossings(from, PositionOf(line)), Length(delta), feedAt);
  ends.push_back(1);
  double start = 0;
  for (std::size_t k = 0; k < ends.size(); ++k) {
    ToolpathRecord piece = line;
    if (ends[k] < 1) SetPosition(piece, pointAt(ends[k]));
    if (k > 0) piece.kind = MoveKind::Feed;
    piece.feed = feedAt((start + ends[k]) / 2);
    if (!out.AppendRecord(piece)) return false;
    start = ends[k];
  }
  return true;
}

bool AppendArc(ToolpathDatabase& out, const Limiter& limiter, Point3 from, const ToolpathRecord& arcRecord,
               const ToolpathRecord& centre) {
  const Arc arc = MeasureArc(from, PositionOf(arcRecord), PositionOf(centre), arcRecord.kind,
                             PlaneOfCentreKind(centre.kind));
  const auto feedAt = [&](double f) { return limiter.Limited(arcRecord.feed, limiter.polygon.Inside(ArcPointAt(arc, f))); };
  const std::vector<double> boundaries = Boundaries(limiter.polygon.ArcCrossings(arc), arc.length, feedAt);
  double start = 0;
  for (const ArcPart& part : SplitArc(arc, PositionOf(centre), boundaries)) {
    ToolpathRecord piece = arcRecord;
    SetPosition(piece, part.end);
    piece.feed = feedAt((start + part.endFraction) / 2);
    ToolpathRecord centreRecord = centre;
    SetPosition(centreRecord, part.centreOffset);
    if (!out.AppendRecord(piece) || !out.AppendRecord(centreRecord)) return false;
    start = part.endFraction;
  }
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
      appended = limited->AppendRecord(record);
    } else if (IsLinearFeedKind(record.kind)) {
      appended = AppendLine(*limited, limiter, from, record);
    } else if (const ToolpathRecord* centre = db.RecordAt(i + 1); centre && IsCentreKind(centre->kind)) {
      appended = AppendArc(*limited, limiter, from, record, *centre);
    } else {
      ToolpathRecord arc = record;
      arc.feed = limiter.Limited(record.feed, screen.Inside(PositionOf(record)));
      appended = limited->AppendRecord(arc);
    }
    if (!appended) return false;
  }
  if (!RebuildRapids(*limited)) return false;
  return db.ReplaceRecords(*limited);
}

}  // namespace fendo
