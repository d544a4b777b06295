#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/option_range.h"

namespace fendo {

// The tables the number dialogs are written as: one row per number field, saying what the field
// is labelled, which member of the dialog's values it edits and which of the engine's ranges
// holds it. NumberFormDialog builds the form from a table, shows the values in it and takes them
// back, so that a new dialog of this kind is a new table.

// The text beside a field: a fixed one, or one the values carry (the editing commands label the
// fields of their "변수를 입력하시요!!" dialogs themselves).
template <typename Values>
class FieldLabel {
 public:
  constexpr FieldLabel(const char* text) : text_(text) {}
  constexpr FieldLabel(std::string Values::*carried) : carried_(carried) {}

  std::string_view Of(const Values& values) const { return carried_ ? std::string_view(values.*carried_) : text_; }

 private:
  std::string_view text_;
  std::string Values::*carried_ = nullptr;
};

// The member a field edits: a real, shown and read to the precision of its type, or a whole
// number, for which "1.5" is refused.
template <typename Values>
using NumberMember = std::variant<double Values::*, float Values::*, int Values::*>;

template <typename Values>
struct NumberRow {
  FieldLabel<Values> label;
  NumberMember<Values> member;
  // The member's name in the engine's ranges, which refuse a value of it on this field, and the
  // field's object name. Empty for a dialog without ranges.
  std::string_view name = {};
  // The switch the number goes with, if it has one: a check box named `switchName`, with the
  // label as its text, stands in the label's place ("Feed 변경후 감속" and the feed it sets).
  bool Values::*switchedBy = nullptr;
  const char* switchName = nullptr;
};

// A whole dialog: its title, its rows in the order of the form and of Tab, and the engine's
// range check of the values, which OK runs once every field has been taken (none: no ranges).
template <typename Values>
struct NumberForm {
  const char* title;
  std::span<const NumberRow<Values>> rows;
  std::optional<OptionOutOfRange> (*check)(const Values&) = nullptr;
};

}  // namespace fendo
