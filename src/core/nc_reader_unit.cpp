#include "core/nc_reader_unit.h"

#include "core/toolpath_database.h"

namespace fendo {
namespace {

ProgramUnit& WorkLayerUnit(ToolpathDatabase& db) { return db.layers[db.layers.workLayer].unit; }

}  // namespace

void StartUnitReading(ToolpathDatabase& db) {
  db.reader.unit = {.fileFirstRecord = db.recordCount, .atFirstMove = std::nullopt};
  if (db.recordCount == 0) WorkLayerUnit(db) = {};
}

void NoteStatedUnit(ToolpathDatabase& db, LengthUnit unit) {
  UnitReading& reading = db.reader.unit;
  ProgramUnit& program = WorkLayerUnit(db);
  if (db.recordCount == reading.fileFirstRecord) {
    // Before the file's first move: the last statement is the one the file runs in.
    reading.atFirstMove = unit;
    if (db.recordCount == 0) program.stated = unit;
    return;
  }
  if (unit != UnitOrMillimetres(program.stated)) program.changes = true;
}

void FinishUnitReading(ToolpathDatabase& db) {
  const UnitReading& reading = db.reader.unit;
  const bool added = reading.fileFirstRecord > 0 && db.recordCount > reading.fileFirstRecord;
  ProgramUnit& program = WorkLayerUnit(db);
  if (added && UnitOrMillimetres(reading.atFirstMove) != UnitOrMillimetres(program.stated)) program.changes = true;
}

std::optional<LengthUnit> BeginProgramUnit(std::string_view line) {
  if (line.find("BEGIN PGM") == std::string_view::npos) return std::nullopt;
  const std::size_t end = line.find_last_not_of(" \t\r");
  if (end == std::string_view::npos) return std::nullopt;
  line = line.substr(0, end + 1);
  const std::size_t blank = line.find_last_of(" \t");
  const std::string_view word = blank == std::string_view::npos ? line : line.substr(blank + 1);
  if (word == "MM") return LengthUnit::Millimetre;
  if (word == "INCH") return LengthUnit::Inch;
  return std::nullopt;
}

}  // namespace fendo
