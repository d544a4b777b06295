// The corner search of the pencil command.
//
// A ball tool finishing a surface leaves material where the surface turns concave more
// sharply than the tool can follow: there its centre path kinks upward (from a floor up a wall,
// or from a wall down onto a floor seen the other way). Each linear feed record is looked at
// with the move that reaches it and the move that leaves it: slope angles (degrees above the
// horizontal) and XY headings. The record is a corner when the outgoing move climbs more than
// the incoming one by at least the least angle: a convex edge bends downward and is never
// one. With "XY 코너", two level moves (within 1 degree) that turn in XY by the least angle make
// one too, for the corners of 2D pockets.
//
// Only the surface counts: both moves must be cuts along a path. The entry into a path (its
// FeedStart, reached by a plunge) is no corner, though the plunge bends into the first cut by
// up to 90 degrees: taken as one, every entry of a raster program would make a pencil path
// along the line of its entries.
//
// A corner rounded by the CAM system (a fillet near the tool's radius) bends over a few short
// moves, each enough to count: those corners lie within kCrossingSpan of each other along one
// cut, and only the sharpest is kept, so that a pencil path does not zigzag across the corner
// it follows.
#include "generate/pencil_corners.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/angle_units.h"
#include "core/progress.h"
#include "generate/pencil.h"

namespace fendo {
namespace {

constexpr double kShortestMove = 0.01;     // mm: a shorter outgoing move is passed over
constexpr double kLevelSlope = 1;          // degrees: a move this close to level counts as level
constexpr double kXyCornerHalfOpening = 90;  // degrees, what an XY corner carries
constexpr double kCrossingSpan = 1.0;      // mm along a cut: corners this close are one crossing
constexpr int kRecordsBetweenReports = 1001;

struct Move {
  double slope = 0;    // degrees above the horizontal
  double heading = 0;  // degrees, XY direction
  double length = 0;   // mm
};

Move MoveBetween(const ToolpathRecord& from, const ToolpathRecord& to) {
  const double dx = double{to.x} - from.x;
  const double dy = double{to.y} - from.y;
  const double dz = double{to.z} - from.z;
  const double xy = std::hypot(dx, dy);
  return {std::atan2(dz, xy) * kDegreesPerRadian, std::atan2(dy, dx) * kDegreesPerRadian, std::hypot(xy, dz)};
}

// The turn from heading a to heading b, degrees 0 … 180.
double HeadingTurn(double a, double b) {
  double turn = std::fmod(std::abs(b - a), 360.0);
  return turn > 180 ? 360 - turn : turn;
}

// Degrees 0 … 359 as a whole number.
int WholeDegrees(double degrees) {
  const int whole = static_cast<int>(std::lround(degrees));
  return ((whole % 360) + 360) % 360;
}

void ReportProgress(Progress* progress, int done, int total) {
  char text[48];
  const double share = total > 0 ? done * 100.0 / total : 100.0;
  std::snprintf(text, sizeof text, " Corner search(%.2f %%).", share);
  progress->Report(text, done, total);
}

// The corner at record k reached by `in` and left by `out`, if it is one.
std::optional<PencilCorner> CornerAt(const ToolpathRecord& at, const Move& in, const Move& out,
                                     const PencilParams& params) {
  const double climb = out.slope - in.slope;
  ToolpathRecord record = at;
  record.kind = MoveKind::Feed;
  record.feed = WholeDegrees(in.heading);
  if (climb > 0 && climb >= params.smallAngle) {
    record.selected = static_cast<std::int16_t>(std::lround((180 - climb) / 2));
    return PencilCorner{record, climb};
  }
  const double turn = HeadingTurn(in.heading, out.heading);
  if (params.xyCorner && std::abs(in.slope) <= kLevelSlope && std::abs(out.slope) <= kLevelSlope &&
      turn >= params.smallAngle) {
    record.selected = static_cast<std::int16_t>(kXyCornerHalfOpening);
    return PencilCorner{record, turn};
  }
  return std::nullopt;
}

}  // namespace

std::vector<PencilCorner> FindPencilCorners(const RecordList& records, const PencilParams& params,
                                            Progress* progress) {
  std::vector<PencilCorner> corners;
  const int n = static_cast<int>(records.size());
  // Where the last corner was found: its cut (counted by the rapid moves before it) and how far
  // along the cuts it lay.
  int cut = 0;
  int lastCornerCut = -1;
  double along = 0;
  double lastCornerAlong = 0;
  int prev = -1;       // the motion record before k, after the passed-over ones
  int passedUntil = 0;  // the records before it were passed over as too short
  int nextReport = 0;
  for (int k = 0; k < n; k = NextMotionIn(records, k)) {
    if (progress && k >= nextReport) {
      ReportProgress(progress, k, n);
      nextReport = k + kRecordsBetweenReports;
    }
    const ToolpathRecord& at = records[k];
    if (!IsMotionKind(at.kind) || k < passedUntil) continue;
    if (prev < 0 || at.kind != MoveKind::Feed) {
      if (IsRapidKind(at.kind)) ++cut;
      prev = k;
      continue;
    }
    const Move in = MoveBetween(records[prev], at);
    along += in.length;
    prev = k;
    if (in.length == 0) continue;
    int next = NextMotionIn(records, k);
    while (next < n && records[next].kind == MoveKind::Feed && MoveBetween(at, records[next]).length < kShortestMove) {
      next = NextMotionIn(records, next);
      passedUntil = next;
    }
    if (next >= n || records[next].kind != MoveKind::Feed) continue;
    const std::optional<PencilCorner> corner = CornerAt(at, in, MoveBetween(at, records[next]), params);
    if (!corner) continue;
    if (!corners.empty() && lastCornerCut == cut && along - lastCornerAlong <= kCrossingSpan) {
      if (corner->turn > corners.back().turn) corners.back() = *corner;
    } else {
      corners.push_back(*corner);
    }
    lastCornerCut = cut;
    lastCornerAlong = along;
  }
  return corners;
}

}  // namespace fendo
