// Filtering straight moves (command "Ncdata(G01) 필터링", and the filter before fitting arcs).
//
// A CAM system often writes a straight cut as many short moves along one line. The filter
// walks the records once and keeps an anchor A: the last point that must stay. Each linear
// feed point B stretches a straight move from A; as long as every linear feed point between
// them lies within the tolerance t of that move, the move could replace them. At the first B
// that breaks this, the move from A to the point before B is proved: the points strictly
// between them go, and the point before B becomes the anchor. Points after the last anchor of
// a run stay even when they lie within t, since no later point proved the move that would
// replace them.
//
// A run starts at a linear move whose previous motion record is not a linear move, and at a
// FeedStart: the anchor is then the previous motion point (the end of the rapid move, where
// the cut begins), or the move itself when an arc (or nothing) comes before it. It is the
// record before that decides, not only the FeedStart flag, so that in a buffer whose kinds
// are not yet normalised (a Feed right after an arc or a rapid) no arc, centre record or
// rapid move ever lies between the anchor and B: an arc, and the point it starts from, stay
// as they were.
//
// Distances are in mm, in space, from the segment A–B: a point beyond either end of it (a
// move that runs on and comes back) is as far from the move as from that end.
#include <cmath>

#include "core/geometry.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

// mm; a shorter move from the anchor has no direction, and points are measured from A alone.
constexpr double kShortestMove = 0.001;

// The distance of q from segment A–B, from the triangle A, q, B: with a = |AB|, b = |q − B|,
// c = |A − q|, the foot of q on the line lies d = (a² + b² − c²) / (2a) from B towards A.
double DistanceFromMove(Point3 a, Point3 b, Point3 q) {
  const double ab = Length(b - a);
  const double qb = Length(q - b);
  const double aq = Length(q - a);
  if (ab < kShortestMove) return aq;
  const double d = (ab * ab + qb * qb - aq * aq) / (2 * ab);
  if (d < 0) return qb;
  if (d > ab) return aq;
  return SafeSqrt(qb * qb - d * d);
}

// Whether a linear feed point strictly between the anchor and record b lies further than t
// from the move A–b.
bool AnyPointOffMove(ToolpathDatabase& db, int anchor, Point3 a, int b, double t) {
  const Point3 end = PositionOf(*db.RecordAt(b));
  for (int j = anchor + 1; j < b; ++j) {
    const ToolpathRecord& r = *db.RecordAt(j);
    if (IsLinearFeedKind(r.kind) && DistanceFromMove(a, end, PositionOf(r)) > t) return true;
  }
  return false;
}

int RemoveLinearFeedsBetween(ToolpathDatabase& db, int from, int to) {
  int removed = 0;
  for (int j = from + 1; j < to; ++j) {
    if (IsLinearFeedKind(db.RecordAt(j)->kind) && db.SetKind(j, MoveKind::None)) ++removed;
  }
  return removed;
}

}  // namespace

int FilterLinear(ToolpathDatabase& db, double tolerance) {
  int removed = 0;
  int anchor = 0;
  Point3 a;
  int previous = -1;  // the last motion record before i; removals never reach it
  // 1. Every linear feed record in order.
  for (int i = 0; i < db.recordCount; ++i) {
    const MoveKind kind = db.RecordAt(i)->kind;
    if (!IsMotionKind(kind)) continue;
    const int before = previous;
    previous = i;
    if (!IsLinearFeedKind(kind)) continue;
    const MoveKind beforeKind = before >= 0 ? db.RecordAt(before)->kind : MoveKind::None;
    // 2. A run starts: the anchor is the point the cut leaves from, or the move itself after
    // an arc (or with nothing before it).
    if (kind == MoveKind::FeedStart || !IsLinearFeedKind(beforeKind)) {
      anchor = before >= 0 && !IsArcKind(beforeKind) ? before : i;
      a = PositionOf(*db.RecordAt(anchor));
      continue;
    }
    // 3. The move from the anchor to i leaves a point behind: the move to the point before i
    // replaces the points up to it.
    if (anchor + 1 < i && AnyPointOffMove(db, anchor, a, i, tolerance)) {
      removed += RemoveLinearFeedsBetween(db, anchor, before);
      anchor = before;
      a = PositionOf(*db.RecordAt(anchor));
    }
  }
  // 4.
  CompactRecords(db);
  NormalizeKinds(db);
  return removed;
}

}  // namespace fendo
