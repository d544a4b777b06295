#include "core/decimal.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace fendo {
namespace {

// Powers of ten that double holds exactly: a mantissa below 2^53 divided by one of them is
// rounded once, exactly as the full conversion would round it.
constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
constexpr int kMantissaDigits = 19;  // decimal digits that always fit in 64 bits

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

DecimalPrefix ParseDecimalPrefix(std::string_view text) {
  DecimalPrefix result;
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t unsignedStart = i;

  std::uint64_t mantissa = 0;
  int significantDigits = 0;
  int fractionDigits = 0;
  bool point = false;
  bool integerPartNonZero = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      result.hasDigits = true;
      if (point) ++fractionDigits;
      if (!point && c != '0') integerPartNonZero = true;
      if (mantissa != 0 || c != '0') ++significantDigits;
      if (significantDigits <= kMantissaDigits) mantissa = mantissa * 10 + (c - '0');
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!result.hasDigits) return result;
  result.length = i;

  double magnitude;
  if (significantDigits <= kMantissaDigits && mantissa <= kExactMantissa &&
      fractionDigits < static_cast<int>(kExactPowersOfTen.size())) {
    magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[fractionDigits];
  } else {
    const char* first = text.data() + unsignedStart;
    const auto [end, error] = std::from_chars(first, text.data() + i, magnitude);
    if (error == std::errc::result_out_of_range) {
      magnitude = integerPartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  result.value = negative ? -magnitude : magnitude;
  return result;
}

std::int32_t IntegerPart(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (v <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (v >= kHighest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

}  // namespace fendo
