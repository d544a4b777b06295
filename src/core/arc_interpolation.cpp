#include <cmath>

#include "core/angle_units.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kSmallestInterpolatedRadius = 0.01;  // mm; smaller arcs become one move
// A full circle needs this many chords at 0.001 mm only from a radius of about 2 km on: an arc
// that asks for more lies far outside the machinable range, and is not worth millions of records.
constexpr double kMostChords = 100000;

}  // namespace

// The chord of a circle of radius R whose sagitta is the tolerance spans 2·acos((R − t)/R).
int ChordCount(const Arc& arc, double tolerance) {
  if (!(arc.radius >= kSmallestInterpolatedRadius)) return 1;
  const double step = 2 * std::acos((arc.radius - tolerance) / arc.radius) / kRadiansPerDegree;
  const double chords = arc.sweep / step + 1;
  return static_cast<int>(chords < kMostChords ? chords : kMostChords);
}

bool InterpolateArc(ToolpathDatabase& db, const Arc& arc, std::int32_t feed, double tolerance) {
  const int prev = db.PrevMotion(db.recordCount);
  MoveKind kind = db.recordCount > 0 && db.IsRapid(prev) ? MoveKind::FeedStart : MoveKind::Feed;
  const int chords = ChordCount(arc, tolerance);
  for (int k = 1; k <= chords; ++k) {
    db.cursor = {};
    db.cursor.SetPosition(ArcChordPoint(arc, k, chords));
    db.cursor.feed = feed;
    db.cursor.kind = kind;
    if (!db.AppendCursor()) return false;
    kind = MoveKind::Feed;
  }
  return true;
}

}  // namespace fendo
