// Filtering arcs (command "Ncdata(G02, G03) 필터링").
//
// An arc whose middle lies within the tolerance t of its chord cuts no differently from a
// straight move: it becomes one. An arc of radius R strays furthest from its chord at its
// middle, by R − R·cos(sweep / 2); that stays within t while the sweep is below
// c = 2·acos((R − t) / R). An arc smaller than the tolerance itself ((R − t) / R below −1, so
// that no c exists) becomes a straight move as well. Radius and sweep are the arc rule's.
#include <cmath>

#include "core/angle_units.h"
#include "core/arc_rule.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

// Whether the arc's middle lies within t of its chord.
bool HugsItsChord(const Arc& arc, double t) {
  const double cosine = (arc.radius - t) / arc.radius;
  return cosine < -1 || arc.sweep < 2 * std::acos(cosine) / kRadiansPerDegree;
}

}  // namespace

int FilterArcs(ToolpathDatabase& db, double tolerance) {
  int replaced = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!IsArcKind(db.RecordAt(i)->kind)) continue;
    // 1.–2. Start, end, centre and plane; the plane of the last arc seen stays in force.
    const Arc arc = ArcGeometry(db, i);
    db.plane = arc.plane;
    // 3.–4. The arc becomes a straight move to its end; its centre record goes with it. A
    // motion record after an arc that lacks its centre record is left alone.
    if (!HugsItsChord(arc, tolerance)) continue;
    db.SetKind(i, MoveKind::FeedStart);
    if (const ToolpathRecord* centre = db.RecordAt(i + 1); centre && IsCentreKind(centre->kind)) {
      db.ReadRecord(i + 1);
      db.cursor.kind = MoveKind::None;
      db.WriteRecord(i + 1);
      ++i;
    }
    ++replaced;
  }
  // 5.
  CompactRecords(db);
  NormalizeKinds(db);
  return replaced;
}

}  // namespace fendo
