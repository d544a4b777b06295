#pragma once

#include <optional>
#include <string_view>

#include "core/option_range.h"
#include "feed/machine_condition.h"

namespace fendo {

// The range check of the optimizer's parameters, in the order the cutting-condition dialog and
// the "QEL 설정" dialog show them: nothing when the optimizer can work with every value. The
// dialogs run it before they close and fendo-batch before it optimises, so a value read from a
// *.qel file (where "nan", "inf" and negative numbers are numbers like any other) never reaches
// the passes. The ranges refuse what no machine means rather than what is unusual:
//   tool diameter 0.001 … 10000 mm, safety distance 0 … 10000 mm, minimum angles 0 … 90
//   degrees, reductions and weights 0 … 1, plunge and maximum feed 1 … 100000 mm/min, feed unit
//   0 … 100000 mm/min (0: feeds are not rounded), the Z up/down and slope/corner ratios
//   0 … 1000, check boxes 0 or 1.
std::optional<OptionOutOfRange> CheckMachineCondition(const MachineCondition& condition);

// The same check of the one field named as the ranges name it ("qelMaxFeed"); nothing for a
// field without a range.
std::optional<OptionOutOfRange> CheckMachineConditionField(const MachineCondition& condition, std::string_view field);

}  // namespace fendo
