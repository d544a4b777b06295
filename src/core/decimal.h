#pragma once

#include <cstdint>
#include <string_view>

namespace fendo {

// A number read from the front of an NC word's text.
struct DecimalPrefix {
  double value = 0;
  bool hasDigits = false;  // false when the text does not start with a number
  std::size_t length = 0;  // characters read
};

// Reads the longest prefix of `text` of the form [sign] digits [. digits] (either digit run may
// be empty, not both), exactly rounded and independent of the locale. A magnitude beyond the
// range of double reads as infinity.
DecimalPrefix ParseDecimalPrefix(std::string_view text);

// The integer part of v (truncated toward zero), saturated to the 32-bit range; 0 for NaN.
std::int32_t IntegerPart(double v);

}  // namespace fendo
