#pragma once

#include <charconv>
#include <string>

namespace fendo {

// Appends v with `decimals` decimals, as printf's "%.<decimals>f" writes it in the C locale.
inline void AppendFixed(std::string& text, double v, int decimals) {
  char digits[400];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals).ptr);
}

// Appends n as "%d" writes it.
inline void AppendInteger(std::string& text, long long n) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

}  // namespace fendo
