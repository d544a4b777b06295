#pragma once

#include <optional>

#include "core/toolpath_database.h"

namespace fendo {

// Calls visit(i, record, from) for every motion record of `db` in order, with the position of
// the motion record before it (its own for the first: its move has no length). The visit may
// change the kind of record i and of the records before it.
template <typename Visit>
void ForEachMotionFrom(ToolpathDatabase& db, Visit visit) {
  std::optional<Point3> previous;
  db.ForEachRecord([&](int i, const ToolpathRecord& record) {
    if (!IsMotionKind(record.kind)) return;
    const Point3 at = PositionOf(record);
    visit(i, record, previous.value_or(at));
    previous = at;
  });
}

// NormalizeKinds where a rebuild of the rapid moves follows: the rebuild normalises its result
// again, so normalising before it changes what it makes only where the program begins with a
// cut, which normalising turns into the rapid start. (Compacting before it matters only where
// record 0 is no motion record: the rebuild leads a first rapid run up from record 0.)
void NormalizeBeforeRebuild(ToolpathDatabase& db);

// The length of the cutting move from `from` to the motion record `to`: along the arc for an
// arc (with `centre`, the record after it, when that is its centre record), straight otherwise.
double CuttingLength(Point3 from, const ToolpathRecord& to, const ToolpathRecord* centre);

}  // namespace fendo
