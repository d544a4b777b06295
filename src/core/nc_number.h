#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/decimal.h"

namespace fendo {

// The characters a number of an NC word is made of.
inline bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'; }

// Where a word's number starts: spaces and tabs between a letter and its number are allowed,
// as controllers allow them.
inline std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

// The number of an NC word read from text[i]: its value, whether it had digits, and where the
// run of number characters it stands in ends ("1-2" reads as 1 and ends after the 2).
struct WordNumber {
  double value = 0;
  bool hasDigits = false;
  std::size_t end = 0;
};

// Reads the number at text[i] in one pass. The usual NC number (sign, up to 19 digits, a
// decimal point) is converted with a single exact division; anything longer goes through the
// general conversion. Both round exactly as the full decimal conversion does.
inline WordNumber ReadWordNumber(std::string_view text, std::size_t i) {
  static constexpr std::array<double, 23> kExactPowersOfTen = {
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
  constexpr std::ptrdiff_t kSafeDigits = 19;
  // Appends the digits at p to the mantissa; returns where they end.
  const auto readDigits = [](const char* p, const char* end, std::uint64_t& mantissa) {
    for (; p != end; ++p) {
      const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
      if (digit > 9) break;
      mantissa = mantissa * 10 + digit;
    }
    return p;
  };

  const char* const start = text.data() + i;
  const char* const end = text.data() + text.size();
  const char* p = start;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  std::uint64_t mantissa = 0;
  const char* const integerStart = p;
  p = readDigits(p, end, mantissa);
  std::ptrdiff_t digits = p - integerStart;
  std::ptrdiff_t fractionDigits = 0;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    p = readDigits(p, end, mantissa);
    fractionDigits = p - fractionStart;
    digits += fractionDigits;
  }

  WordNumber number;
  number.hasDigits = digits > 0;
  if (digits <= kSafeDigits && mantissa <= kExactMantissa) {
    // 19 digits at most, so fractionDigits indexes the table.
    const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[fractionDigits];
    number.value = negative ? -magnitude : magnitude;
  } else {
    number.value = ParseDecimalPrefix(std::string_view(start, p - start)).value;
  }
  while (p != end && IsNumberChar(*p)) ++p;
  number.end = static_cast<std::size_t>(p - text.data());
  return number;
}

}  // namespace fendo
