#pragma once

#include <optional>
#include <string_view>

#include "core/length_unit.h"

namespace fendo {

// What one line of program text holds that the reader does not execute as the machine will:
// the drawn path is not what the machine does there.
struct LineConstructs {
  bool heidenhainCycle = false;     // CYCL DEF, CYCL CALL
  bool homeMove = false;            // G28, G30, G53
  bool subprogramCall = false;      // M98, M198, G65/G66; CALL LBL, CALL PGM
  bool variable = false;            // #-variables, [expressions]; Q parameters, FN functions
  bool radiusCompensation = false;  // G41, G42; RL, RR
  std::optional<LengthUnit> unit;   // G20/G21; BEGIN PGM … MM/INCH

  bool any() const {
    return heidenhainCycle || homeMove || subprogramCall || variable || radiusCompensation || unit;
  }
};

// The constructs of an ISO line (comments in parentheses and after ';' left out).
LineConstructs ScanIsoLine(std::string_view line);
// The constructs of a Heidenhain line (the comment after ';' left out).
LineConstructs ScanHeidenhainLine(std::string_view line);

}  // namespace fendo
