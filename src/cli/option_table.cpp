#include "cli/option_table.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace fendo {
namespace {

constexpr std::string_view kDefaultMark = "{default}";
constexpr std::string_view kRangeMark = "{range}";

// The shortest text that reads back as v, without an exponent, as the range messages write it.
std::string NumberText(double v) {
  char digits[400];
  return {digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed).ptr};
}

void Replace(std::string& text, std::string_view mark, const std::string& by) {
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size())) {
    text.replace(at, mark.size(), by);
  }
}

// The lines of a text, split at its line feeds.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

std::string OptionEntry::Name() const {
  std::string name(flag);
  if (!twin.empty()) name.append(", ").append(twin);
  if (!value.empty()) name.append(" ").append(value);
  return name;
}

int OptionEntry::ValueWords(std::string_view first) const {
  const auto words = [](std::string_view text) { return 1 + static_cast<int>(std::ranges::count(text, ' ')); };
  if (value.find('|') == std::string_view::npos) return words(value);
  for (std::string_view rest = value; !rest.empty();) {
    const std::size_t bar = rest.find('|');
    const std::string_view alternative = rest.substr(0, bar);
    rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
    if (alternative.substr(0, alternative.find(' ')) == first) return words(alternative);
  }
  return 1;
}

std::string JoinedList(const std::vector<std::string>& items, std::string_view lastJoint) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text.append(i + 1 == items.size() ? lastJoint : ", ");
    text.append(items[i]);
  }
  return text;
}

std::vector<std::string> HelpLines(std::string_view help, const std::optional<std::pair<double, double>>& range,
                                   std::optional<double> defaultValue) {
  std::string text(help);
  const bool quotesRange = text.find(kRangeMark) != std::string::npos || text.find(kDefaultMark) != std::string::npos;
  if (quotesRange && !range) throw std::logic_error("the help of an option quotes a range it has not: " + text);
  if (range) {
    Replace(text, kDefaultMark, NumberText(*defaultValue));
    Replace(text, kRangeMark, NumberText(range->first) + " ... " + NumberText(range->second));
  }
  const std::vector<std::string_view> lines = Lines(text);
  return {lines.begin(), lines.end()};
}

OptionGroup& OptionGroup::Add(std::string_view flag, std::string_view value, std::string_view help) {
  entries_.push_back({.flag = flag, .value = value, .help = HelpLines(help, std::nullopt, std::nullopt)});
  return *this;
}

OptionGroup& OptionGroup::Afterword(std::string_view lines) {
  for (std::string_view line : Lines(lines)) afterword_.push_back(line);
  return *this;
}

}  // namespace fendo
