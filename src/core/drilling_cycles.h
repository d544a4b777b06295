#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/nc_line_parsers.h"

namespace fendo {

// The drilling cycle in force and its modal data (G73, G74, G81–G89 until G80 or G00–G03).
// Levels are absolute coordinates along the drilling axis, the axis normal to the plane.
struct DrillingCycleState {
  int code = 0;                  // the cycle's G code; 0 when no cycle is in force
  bool returnToR = false;        // G99 (true) or G98: the level a hole returns to
  double initialLevel = 0;       // mm, where the tool stood when the cycle began
  double rPlane = 0;             // mm, R; the initial level until an R is programmed
  std::optional<double> bottom;  // mm, Z; none until a depth is programmed
  double peck = 0;               // mm, Q: the depth of each peck of G73 and G83; 0 drills in one go
  std::int64_t holes = 0;        // holes drilled by expanded cycles, counted over every file

  bool InForce() const { return code != 0; }
  // G80: the cycle and its R, Z and Q end; G98/G99 and the count stay.
  void Cancel() {
    code = 0;
    rPlane = initialLevel = 0;
    bottom.reset();
    peck = 0;
  }
};

constexpr bool IsDrillingCycleCode(int code) { return code == 73 || code == 74 || (code >= 81 && code <= 89); }

// The G words of one block that concern the cycles, noted in the order they stand (every G word
// of every block passes here, so it stays a few comparisons).
struct CycleCodes {
  int start = 0;                  // a cycle programmed on the block
  bool cancel = false;            // G80 or a motion code (G00–G03): the cycle in force ends, before
                                  // a cycle code after it on the block starts one anew
  std::optional<bool> returnToR;  // G99 / G98

  void Note(int code) {
    if ((code >= 0 && code <= 3) || code == 80) {
      cancel = true;
      start = 0;
    } else if (IsDrillingCycleCode(code)) {
      start = code;
    } else if (code == 98 || code == 99) {
      returnToR = code == 99;
    }
  }
  // A cancel alone matters only to a cycle in force.
  bool StartsOrReturns() const { return start != 0 || returnToR.has_value(); }
};

// The words of a block that a cycle reads, lengths in mm.
struct DrillingWords {
  std::array<std::optional<double>, 3> axes;  // X, Y, Z as programmed
  std::optional<double> r;                    // R
  std::optional<double> q;                    // Q
  std::optional<std::int64_t> repeats;        // K or L
};

// Applies a block's cycle codes and, while a cycle is in force, reads the block as the
// controller does: each block with an axis word or R drills its hole(s) as rapid and feed moves
// appended to the work buffer. `usable` is false for a block that is dropped (invalid) or
// whose axis words are data. Nothing (the block is read as a move as usual) when no cycle is
// in force or the block is not usable.
std::optional<LineOutcome> ReadDrillingCycleBlock(ToolpathDatabase& db, const CycleCodes& codes,
                                                  const DrillingWords& words, bool usable);

}  // namespace fendo
