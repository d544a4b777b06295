#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/length_unit.h"

namespace fendo {

class ToolpathDatabase;

// What the reader keeps of the unit statements of the file being read.
struct UnitReading {
  std::int32_t fileFirstRecord = 0;        // records stored before this file
  std::optional<LengthUnit> atFirstMove;   // the file's G20/G21 before its first record
};

// The work layer's unit (ProgramUnit) follows the program being read: a program read into an
// empty work buffer takes the unit in force at its first move, the last G20/G21 before it; a
// unit stated after that, or a program added in another unit than the records before it,
// marks the layer as changing units. The numbers themselves are never converted.

// At the start of every file.
void StartUnitReading(ToolpathDatabase& db);
// A block that states the unit (G20, G21, BEGIN PGM … INCH).
void NoteStatedUnit(ToolpathDatabase& db, LengthUnit unit);
// At the end of every file.
void FinishUnitReading(ToolpathDatabase& db);

// The unit a Heidenhain program line states: MM or INCH closing a BEGIN PGM line.
std::optional<LengthUnit> BeginProgramUnit(std::string_view line);

}  // namespace fendo
