#include "core/option_range.h"

#include <charconv>

namespace fendo {
namespace {

// The shortest text that reads back as v, without an exponent: "0.0001", "5", "1000".
std::string NumberText(double v) {
  char digits[400];
  return {digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed).ptr};
}

}  // namespace

OptionOutOfRange OutOfRange(std::string_view field, std::string_view label, double lowest, double highest, double v) {
  return {field, label,
          std::string(field) + " (" + std::string(label) + ") must lie between " + NumberText(lowest) + " and " +
              NumberText(highest) + ", not " + NumberText(v),
          lowest, highest};
}

}  // namespace fendo
