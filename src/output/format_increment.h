#pragma once

#include <array>
#include <string>

namespace fendo {

// Formats the three increments of an incremental move as they are written: `decimals`
// decimals (0 … 6), then trailing zeros and a leading zero dropped, so 12.5 → "12.5",
// 0.25 → ".25", -0.25 → "-.25", 100 → "100.". Each value is replaced by the number its text
// stands for, so that the next increment is measured from where the machine really is.
void FormatIncrement(std::array<double, 3>& values, std::array<std::string, 3>& texts, int decimals);

}  // namespace fendo
