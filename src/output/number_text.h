#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace fendo {

namespace number_text_detail {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of n (at least `minimum` of them, zeros in front) to the left of `end`.
inline char* PutDigits(char* end, std::uint64_t n, int minimum) {
  char* p = end;
  while (n >= 100 || minimum > 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
    minimum -= 2;
  }
  if (n >= 10 || minimum == 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * n, 2);
  } else {
    *--p = static_cast<char>('0' + n);
  }
  return p;
}

}  // namespace number_text_detail

// Appends v with Decimals decimals, exactly as printf's "%.<Decimals>f" writes it in the C
// locale (the sign of a negative value that rounds to zero included).
//
// NC output is mostly numbers, and the general conversion is slow; a number is therefore
// scaled and rounded to an integer, which gives the same digits unless the scaled value lies
// so near a half that the scaling's own rounding could decide the tie: such numbers, very
// large ones and non-finite ones take the general conversion.
template <int Decimals>
void AppendFixed(std::string& text, double v) {
  static_assert(Decimals >= 0 && Decimals <= 6);
  constexpr double kScale = Decimals == 0 ? 1 : Decimals == 1 ? 10 : Decimals == 2 ? 100 : Decimals == 3 ? 1e3
                          : Decimals == 4 ? 1e4 : Decimals == 5 ? 1e5 : 1e6;
  constexpr std::uint64_t kScaleInteger = static_cast<std::uint64_t>(kScale);
  constexpr double kLargest = 1e12;    // beyond this the integer part needs the general path
  constexpr double kTieMargin = 1e-6;  // a scaled value this near x.5 may round either way
  const double magnitude = std::fabs(v);
  const double scaled = magnitude * kScale;
  if (!(magnitude < kLargest) ||
      std::fabs(scaled - static_cast<double>(static_cast<std::uint64_t>(scaled)) - 0.5) < kTieMargin) {
    char digits[400];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, Decimals).ptr);
    return;
  }
  const std::uint64_t n = static_cast<std::uint64_t>(scaled + 0.5);
  char digits[40];
  char* const end = digits + sizeof digits;
  char* p = end;
  if constexpr (Decimals > 0) {
    p = number_text_detail::PutDigits(p, n % kScaleInteger, Decimals);
    *--p = '.';
  }
  p = number_text_detail::PutDigits(p, n / kScaleInteger, 1);
  if (std::signbit(v)) *--p = '-';
  text.append(p, static_cast<std::size_t>(end - p));
}

// The same with the number of decimals given at run time.
inline void AppendFixed(std::string& text, double v, int decimals) {
  switch (decimals) {
    case 0: return AppendFixed<0>(text, v);
    case 1: return AppendFixed<1>(text, v);
    case 2: return AppendFixed<2>(text, v);
    case 3: return AppendFixed<3>(text, v);
    case 4: return AppendFixed<4>(text, v);
    case 5: return AppendFixed<5>(text, v);
    case 6: return AppendFixed<6>(text, v);
    default: {
      char digits[400];
      text.append(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals).ptr);
    }
  }
}

// Appends n as "%d" writes it.
inline void AppendInteger(std::string& text, long long n) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

}  // namespace fendo
