#pragma once

// The option tables of fendo-batch. Each command describes its options as rows: the flag, the
// value it takes, its help, and where the value goes in the command's options struct. The
// command line is parsed against the rows, the values are put where the rows say, and the help
// is printed from them, so that a new option is one new row.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "cli/batch_arguments.h"
#include "core/option_range.h"

namespace fendo {

// Where the value of an option goes in the options struct O, one of:
//   nothing             the command reads the option itself, at its own point in the run
//   f(O&)               a switch
//   f(O&, bool)         a switch and its twin: true for the switch, false for the twin
//   f(O&, int)          a whole number
//   f(O&, double)       a number
//   f(O&, text)         a text, as it stands
//   f(O&, text, error)  a text read by the option's own rules: false, with the error, when refused
template <typename O>
using OptionTarget = std::variant<std::monostate, void (*)(O&), void (*)(O&, bool), void (*)(O&, int),
                                  void (*)(O&, double), void (*)(O&, const std::string&),
                                  bool (*)(O&, std::string_view, std::string&)>;

// How an option's line stands in the help.
enum class OptionLayout {
  OwnLine,  // a line of its own (and more for a long help)
  Beside,   // on the line of the option before it: "--max-radius R (default 1000, 10 ... 5000)"
};

// One option of a command.
template <typename O>
struct Option {
  std::string_view flag;        // "--tolerance"
  std::string_view value = {};  // the value's name in the help ("TOL"); empty for a switch
  std::string_view help = {};   // lines separated by '\n'; "{default}" and "{range}" stand for the
                                // default and the range of `field` in the engine's range table
  OptionTarget<O> target = {};
  std::string_view field = {};  // the field of the range table the help quotes
  std::string_view twin = {};   // the switch's other form ("--no-finish"): off where the flag is on
  OptionLayout layout = OptionLayout::OwnLine;
  std::string_view needs = {};  // the option without which this one means nothing ("--template")
};

// The struct a member pointer points into, and how its value is handed to a target.
template <typename Member>
struct MemberOf;
template <typename Class, typename Type>
struct MemberOf<Type Class::*> {
  using Owner = Class;
  using Value = std::conditional_t<std::is_arithmetic_v<Type>, Type, const Type&>;
};

// The target that stores the value in `field`: Store<&ArcConvertOptions::arcTolerance>.
template <auto field>
void Store(typename MemberOf<decltype(field)>::Owner& options, typename MemberOf<decltype(field)>::Value v) {
  options.*field = v;
}

// The target of a switch that sets `field` to `value`: Turn<&NcOutputOptions::ijkToR, false>.
template <auto field, auto value>
void Turn(typename MemberOf<decltype(field)>::Owner& options) {
  options.*field = value;
}

// The target of an optional value kept as given: Keep<&ConvertRequest::layers>.
template <auto field>
void Keep(typename MemberOf<decltype(field)>::Owner& options, const std::string& text) {
  options.*field = text;
}

// Puts the values of the options given on the command line where `rows` say, in the order of
// the rows. A value that is not a number is named in `error` (the last such one) and the other
// rows are still read; a text its row's own rules refuse ends the reading. False when `error`
// is set.
template <typename O>
bool ApplyOptions(const BatchArguments& args, std::span<const Option<std::type_identity_t<O>>> rows, O& options,
                  std::string& error) {
  for (const Option<O>& row : rows) {
    const std::string flag(row.flag);
    const auto text = args.values.find(flag);
    const bool given = text != args.values.end();
    if (const auto set = std::get_if<void (*)(O&)>(&row.target)) {
      if (args.flags.count(flag)) (*set)(options);
    } else if (const auto turn = std::get_if<void (*)(O&, bool)>(&row.target)) {
      if (args.flags.count(std::string(row.twin))) {
        (*turn)(options, false);
      } else if (args.flags.count(flag)) {
        (*turn)(options, true);
      }
    } else if (const auto whole = std::get_if<void (*)(O&, int)>(&row.target)) {
      if (const std::optional<int> v = IntegerOption(args, flag, error)) (*whole)(options, *v);
    } else if (const auto number = std::get_if<void (*)(O&, double)>(&row.target)) {
      if (const std::optional<double> v = NumberOption(args, flag, error)) (*number)(options, *v);
    } else if (const auto keep = std::get_if<void (*)(O&, const std::string&)>(&row.target)) {
      if (given) (*keep)(options, text->second);
    } else if (const auto read = std::get_if<bool (*)(O&, std::string_view, std::string&)>(&row.target)) {
      if (given && !(*read)(options, text->second, error)) return false;
    }
  }
  return error.empty();
}

// An option as the parser and the help see it, whatever struct its value goes into.
struct OptionEntry {
  std::string_view flag;
  std::string_view twin = {};
  std::string_view value = {};
  std::vector<std::string> help = {};  // its lines, with the ranges filled in
  int depth = 0;                       // 1: an option of the operation before it
  OptionLayout layout = OptionLayout::OwnLine;
  std::string_view needs = {};         // the option it means nothing without: its operation, or
                                       // the one it modifies

  bool TakesValue() const { return !value.empty(); }
  // How many words the value takes when its first word is `first`: one for each word of its
  // name ("MIN MAX" two); a name of alternatives ("hold|floor Z|drop-down") counts the words of
  // the alternative that starts with `first`.
  int ValueWords(std::string_view first) const;
  // "--tolerance TOL", "--finish, --no-finish".
  std::string Name() const;
};

// The items one after the other: "a, b and c" with " and " as `lastJoint`.
std::string JoinedList(const std::vector<std::string>& items, std::string_view lastJoint);

// The lines of `help` with "{default}" and "{range}" filled in from `range` (nothing when the
// help quotes no range).
std::vector<std::string> HelpLines(std::string_view help, const std::optional<std::pair<double, double>>& range,
                                   std::optional<double> defaultValue);

// A section of the help and the options it holds: a command's own options, or a group several
// commands share (the reader options, the output options).
class OptionGroup {
 public:
  // `title`: "options", "operations (exactly one)" after a command's name, "Reader options"
  // before the commands that share the group; `note` follows the list of those commands.
  explicit OptionGroup(std::string_view title, std::string_view note = {}) : title_(title), note_(note) {}

  // Adds rows whose help quotes the ranges and defaults of `ranges` (taken from a default R).
  template <typename O, typename R = O>
  OptionGroup& Add(std::span<const Option<std::type_identity_t<O>>> rows,
                   std::span<const FieldRange<std::type_identity_t<R>>> ranges = {}, int depth = 0,
                   std::string_view operation = {}) {
    for (const Option<O>& row : rows) {
      std::optional<std::pair<double, double>> range;
      std::optional<double> defaultValue;
      for (const FieldRange<R>& r : ranges) {
        if (r.field != row.field || row.field.empty()) continue;
        range.emplace(r.lowest, r.highest);
        defaultValue = r.value(R{});
      }
      entries_.push_back({row.flag, row.twin, row.value, HelpLines(row.help, range, defaultValue), depth, row.layout,
                          operation.empty() ? row.needs : operation});
    }
    return *this;
  }
  // An option the command reads itself.
  OptionGroup& Add(std::string_view flag, std::string_view value, std::string_view help);
  // An operation: its first row at the left, the options that belong to it below it.
  template <typename O, typename R = O>
  OptionGroup& AddOperation(std::span<const Option<std::type_identity_t<O>>> rows,
                            std::span<const FieldRange<std::type_identity_t<R>>> ranges = {}) {
    Add<O, R>(rows.first(1), ranges);
    return Add<O, R>(rows.subspan(1), ranges, 1, rows.front().flag);
  }
  // Lines of text after the options.
  OptionGroup& Afterword(std::string_view lines);

  std::string_view title() const { return title_; }
  std::string_view note() const { return note_; }
  const std::vector<OptionEntry>& entries() const { return entries_; }
  const std::vector<std::string_view>& afterword() const { return afterword_; }

 private:
  std::string_view title_;
  std::string_view note_;
  std::vector<OptionEntry> entries_;
  std::vector<std::string_view> afterword_;
};

}  // namespace fendo
