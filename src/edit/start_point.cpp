// Start point change. The paths are taken one at a time from the program after its plunges
// were normalised; each is copied into a new program as it is, reversed, or rewritten to start
// elsewhere.
#include "edit/start_point.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/geometry.h"
#include "core/toolpath_database.h"
#include "edit/plunge.h"
#include "edit/record_list.h"
#include "edit/reverse.h"

namespace fendo {
namespace {

constexpr double kSearchBound = 1000;      // mm: a click farther than this from a path says nothing of it
constexpr double kClosedGap = 0.01;        // mm: a path that ends this near its start is closed
constexpr double kSenseDistance = 3;       // mm: how far along the path its direction is taken

double DistanceXY(const Point3& click, const ToolpathRecord& r) {
  return std::hypot(double{r.x} - click.x, double{r.y} - click.y);
}

// A motion record with its centre record, as it moves through a rewrite.
struct Unit {
  int first;
  int count;
};

std::vector<Unit> UnitsOf(const RecordList& records, int begin, int end) {
  std::vector<Unit> units;
  for (int i = begin; i < end; i = NextMotionIn(records, i)) {
    units.push_back({i, std::min(NextMotionIn(records, i), end) - i});
  }
  return units;
}

struct Nearest {
  double distance = kSearchBound;
  int unit = -1;
  Point3 click;
};

// The nearest of `units` (from `from` on) to any clicked point, in XY.
Nearest NearestUnit(const RecordList& records, const std::vector<Unit>& units, std::size_t from,
                    std::span<const Point3> clicked) {
  Nearest nearest;
  for (std::size_t u = from; u < units.size(); ++u) {
    for (const Point3& click : clicked) {
      const double d = DistanceXY(click, records[units[u].first]);
      if (d < nearest.distance) nearest = {d, static_cast<int>(u), click};
    }
  }
  return nearest;
}

// Whether E lies within 180 degrees counterclockwise of F.
bool TurnsLeftOf(double f, double e) {
  if (f > 180) return e >= f || e <= f - 180;
  return e >= f && e <= f + 180;
}

// The closed path of `units` (units[1] is where it starts, the approach; the last is the cut
// that comes back there) rewritten to start at unit k.
RecordList RingFrom(const RecordList& records, const std::vector<Unit>& units, int k, const Point3& click,
                    double safeZ) {
  const int last = static_cast<int>(units.size()) - 1;
  if (k == last) k = 1;  // the end of the ring is where it starts
  const auto append = [&records](RecordList& out, const Unit& unit) {
    out.insert(out.end(), records.begin() + unit.first, records.begin() + unit.first + unit.count);
  };
  RecordList ring;
  ToolpathRecord start = records[units[k].first];
  ToolpathRecord above = start;
  above.z = static_cast<float>(safeZ);
  above.kind = MoveKind::RapidStart;
  start.kind = MoveKind::FeedStart;
  ring.push_back(above);
  ring.push_back(start);
  for (int u = k + 1; u <= last; ++u) append(ring, units[u]);
  for (int u = 2; u <= k; ++u) append(ring, units[u]);
  // Which way round: E against F, the direction from the click to the new start.
  const double f = PlaneAngle(start.y - click.y, start.x - click.x);
  for (std::size_t i = 2; i < ring.size(); ++i) {
    const ToolpathRecord& r = ring[i];
    if (IsCentreKind(r.kind) || std::hypot(double{r.x} - start.x, double{r.y} - start.y) < kSenseDistance) continue;
    const double e = PlaneAngle(double{r.y} - start.y, double{r.x} - start.x);
    if (!TurnsLeftOf(f, e)) ReverseRecords(ring, 1, static_cast<int>(ring.size()));
    break;
  }
  CompactInPlace(ring);
  return ring;
}

// The path of `range` as the mode and the clicks make it.
void AppendPath(RecordList& out, const RecordList& records, const ListRange& range, StartPointMode mode,
                std::span<const Point3> clicked, double safeZ) {
  const std::vector<Unit> units = UnitsOf(records, range.begin, range.end);
  const ToolpathRecord& approach = records[units[std::min<std::size_t>(1, units.size() - 1)].first];
  const ToolpathRecord& end = records[units.back().first];
  const bool closed = units.size() > 2 && Length(PositionOf(end) - PositionOf(approach)) < kClosedGap;
  const bool wanted = closed ? mode != StartPointMode::Open : mode != StartPointMode::Closed;
  const auto copy = [&] { out.insert(out.end(), records.begin() + range.begin, records.begin() + range.end); };
  if (!wanted) return copy();
  if (closed) {
    const Nearest nearest = NearestUnit(records, units, 1, clicked);
    if (nearest.unit < 0) return copy();
    const RecordList ring = RingFrom(records, units, nearest.unit, nearest.click, safeZ);
    out.insert(out.end(), ring.begin(), ring.end());
    return;
  }
  // Open: reversed when a click lies nearest to its end.
  const std::vector<Unit> ends{units.front(), units.back()};
  const Nearest nearest = NearestUnit(records, ends, 0, clicked);
  if (nearest.unit != 1) return copy();
  RecordList path(records.begin() + range.begin, records.begin() + range.end);
  ReverseRecords(path, 0, static_cast<int>(path.size()));
  CompactInPlace(path);
  out.insert(out.end(), path.begin(), path.end());
}

}  // namespace

EditOutcome ChangeStartPoints(ToolpathDatabase& db, StartPointMode mode, std::span<const Point3> clicked) {
  if (clicked.empty() || db.recordCount == 0) return EditOutcome::Unchanged;
  RecordList records = CompactedRecords(db);
  NormalizePlunges(records, db.safeZ);
  RecordList out;
  out.reserve(records.size());
  int copied = 0;
  for (const ListRange& range : PathRangesIn(records, 0, static_cast<int>(records.size()))) {
    out.insert(out.end(), records.begin() + copied, records.begin() + range.begin);
    AppendPath(out, records, range, mode, clicked, db.safeZ);
    copied = range.end;
  }
  out.insert(out.end(), records.begin() + copied, records.end());
  // Cuts at the rapid height cut nothing; the cut after such a rapid move starts a path.
  const float safeHeight = static_cast<float>(db.safeZ);
  bool afterRapid = false;
  for (ToolpathRecord& r : out) {
    if (IsLinearFeedKind(r.kind) && r.z == safeHeight) {
      r.kind = MoveKind::RapidStart;
    } else if (afterRapid && r.kind == MoveKind::Feed) {
      r.kind = MoveKind::FeedStart;
    }
    if (!IsCentreKind(r.kind)) afterRapid = IsRapidKind(r.kind);
  }
  NormalizePlunges(out, db.safeZ);
  return CommitRecords(db, out, AfterEdit::RebuildRapids);
}

}  // namespace fendo
