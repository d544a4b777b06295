#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fendo {

// A dialog value outside its range: the first one in the dialog's order.
struct OptionOutOfRange {
  std::string_view field;  // the field's name in its options struct, e.g. "arcTolerance"
  std::string_view label;  // the dialog's label of it, e.g. "Arc 변환 공차"
  std::string message;     // "arcTolerance (Arc 변환 공차) must lie between 0.001 and 5, not 7"
  // The range refused, for a dialog to say in its own words (both 0 for a value that must be
  // one of a list rather than lie in a range).
  double lowest = 0;
  double highest = 0;
  bool endsLeftOut = false;  // the value must lie strictly between them
};

// The range of one field of a dialog's options struct; a table of them in the order of the
// dialog makes the first value refused the first one the user meets.
template <typename Options>
struct FieldRange {
  std::string_view field;
  std::string_view label;
  double lowest;
  double highest;
  double (*value)(const Options&);
};

// "field (label) must lie between lowest and highest, not v".
OptionOutOfRange OutOfRange(std::string_view field, std::string_view label, double lowest, double highest, double v);

// The range check a dialog runs before it closes and fendo-batch before it acts: nothing when
// every value lies in its range (ends included; NaN lies in none).
template <typename Options>
std::optional<OptionOutOfRange> CheckFieldRanges(const Options& options, std::span<const FieldRange<Options>> ranges) {
  for (const FieldRange<Options>& range : ranges) {
    const double v = range.value(options);
    if (v >= range.lowest && v <= range.highest) continue;
    return OutOfRange(range.field, range.label, range.lowest, range.highest, v);
  }
  return std::nullopt;
}

}  // namespace fendo
