#include "core/first_moves.h"

#include <array>
#include <utility>

#include "core/toolpath_database.h"

namespace fendo {
namespace {

// Gives `value` on `axis` to every motion record stored so far: they all stand where the reader
// started on that axis. Centre records hold offsets and stay.
void MoveStoredRecordsTo(ToolpathDatabase& db, double Point3::*axis, double value) {
  const CursorRecord block = db.cursor;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!db.ReadRecord(i) || !IsMotionKind(db.cursor.kind)) continue;
    Point3 p = db.cursor.position();
    p.*axis = value;
    db.cursor.SetPosition(p);
    db.WriteRecord(i);
  }
  db.cursor = block;
}

}  // namespace

void NoteStatedAxes(ToolpathDatabase& db, unsigned absolute, unsigned incremental, Point3 end, Point3& start) {
  NcReaderState& reader = db.reader;
  const unsigned first = absolute & reader.unstatedAxes;
  reader.unstatedAxes &= ~(absolute | incremental);
  if (first == 0 || db.recordCount == 0) return;
  constexpr std::array<std::pair<unsigned, double Point3::*>, 3> kAxes = {
      {{kAxisX, &Point3::x}, {kAxisY, &Point3::y}, {kAxisZ, &Point3::z}}};
  for (const auto& [bit, axis] : kAxes) {
    if (!(first & bit)) continue;
    MoveStoredRecordsTo(db, axis, end.*axis);
    start.*axis = reader.position.*axis = reader.lateAxes.values.*axis = end.*axis;
    reader.lateAxes.axes |= bit;
  }
}

}  // namespace fendo
