#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_status.h"
#include "output/nc_output_options.h"

namespace fendo {

class Progress;
class ToolpathDatabase;
class UserPrompts;

enum class WriteStatus {
  Written,
  CannotCreate,  // the output file could not be created: nothing was written
  Stopped,       // the user stopped at the diagonal-rapid question: the part written is kept
  WriteFailed,   // writing or closing failed (a full disk): the file there was is kept
  MixedUnits,    // layers of different units cannot make one program: nothing was written
  NoMotion,      // nothing to write: no motion record (or no layer listed); no file was created
};

// What the user is told when a program has no motion to write.
inline constexpr std::string_view kNothingToWriteText = "출력할 공구경로가 없습니다.";

struct WriteResult {
  WriteStatus status = WriteStatus::Written;
  std::string reason;        // the system's words for CannotCreate, WriteFailed and MixedUnits
  double cuttingTime = 0;    // min, the writer's estimate: feed moves at their feed, rapids at 5000 mm/min
  double feedLength = 0;     // written as cutting moves, in the program's unit (mm unless inch)
  double rapidLength = 0;    // written as rapid moves, likewise
  // Arcs a control would refuse as they were held: written as straight feeds to their end
  // points (no radius, or start and end off one circle), or by I/J/K although R was asked
  // for (full and half turns, which R cannot name).
  int arcsAsLines = 0;
  int arcsByOffsets = 0;

  bool ok() const { return status == WriteStatus::Written; }
};

// Writes the work layer as one NC program in the fixed ISO or Heidenhain form. The work
// layer's name becomes the output path and the database's Heidenhain output option follows
// options.heidenhain, as after the save command. A file that cannot be created is reported
// with the reason; the caller shows "화일을 열수 없습니다.\n". A work layer without a motion
// record is no program: it is refused with NoMotion before anything changes (the caller shows
// kNothingToWriteText). The records written are reported to `progress` when one is given.
WriteResult WriteNcProgram(ToolpathDatabase& db, const NcOutputOptions& options, UserPrompts& prompts,
                           Progress* progress = nullptr);

// Writes the given layers, in that order (a layer may repeat), as one program with one header
// and one end block; each layer brings its own comment, tool and spindle. The layers are read
// from their slots; the work buffer is not touched (the work layer is saved to its slot first).
// The program is in the unit of the first layer written; layers in another unit (a layer that
// states none counts as millimetres) refuse the run with MixedUnits, before the file is created.
// An empty list, or layers without a motion record, is refused with NoMotion before the file
// is created. The records written, of all the listed layers, are reported to `progress` when
// one is given.
WriteResult WriteLayerNcProgram(ToolpathDatabase& db, const std::vector<int>& layers, const NcOutputOptions& options,
                                UserPrompts& prompts, Progress* progress = nullptr);

// The layer list as the layer output dialog takes it: white-space separated tokens, a number
// for one layer and "A-B" for A, A+1 … B (nothing when B < A); repetitions are kept; at most
// 256 entries; numbers outside the layer table are left out. "3 0-2 7" gives 3, 0, 1, 2, 7.
std::vector<int> ParseLayerList(std::string_view text);

}  // namespace fendo
