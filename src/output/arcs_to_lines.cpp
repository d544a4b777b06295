// Turning arcs into straight moves (the "Arc Convert" command's "G02, G03 -> G01", and the
// arc guard of the commands that cannot work on arcs).
//
// Every arc becomes chords that stay within the tolerance of it, cut exactly as the reader
// cuts arcs (InterpolateArc: equal chords, a helix climbing evenly, the arc's feed); every
// other motion record is copied as it is, and the centre records, having no arc left to
// follow, drop out. The new sequence is built in a scratch store beside the work buffer and
// copied over it only once it is whole: a program whose chords would pass the record limit is
// refused with nothing changed, and the limit applies to the result alone, not to the old and
// the new records together.
#include <memory>

#include "core/arc_rule.h"
#include "core/nc_reader.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "output/arc_conversion.h"
#include "output/conversion_progress.h"

namespace fendo {
namespace {

constexpr std::string_view kProgressWords = " G02, G03 -> G01 processing (";

}  // namespace

bool ArcsToLines(ToolpathDatabase& db, double tolerance, Progress* progress) {
  ConversionProgress shown(progress, kProgressWords);
  const auto lines = std::make_unique<ToolpathDatabase>();
  const int n = db.recordCount;
  for (int i = 0; i < n; ++i) {
    shown.At(i, n);
    const ToolpathRecord record = *db.RecordAt(i);
    if (IsArcKind(record.kind)) {
      if (!InterpolateArc(*lines, ArcGeometry(db, i), record.feed, tolerance)) return false;
    } else if (IsMotionKind(record.kind)) {
      if (!lines->AppendRecord(record)) return false;
    }
  }
  if (!db.ReplaceRecords(*lines)) return false;
  CompactRecords(db);
  NormalizeKinds(db);
  return true;
}

}  // namespace fendo
