#include "config/settings_tokens.h"

#include <algorithm>
#include <limits>

namespace fendo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SettingsPairReader::Next(SettingsPair& pair) {
  const std::string_view key = NextToken();
  const std::string_view value = NextToken();
  if (value.empty()) return false;
  pair = {key, value};
  return true;
}

std::string_view SettingsPairReader::NextToken() {
  const auto first = std::find_if_not(rest_.begin(), rest_.end(), IsSettingsSpace);
  const auto last = std::find_if(first, rest_.end(), IsSettingsSpace);
  const std::string_view token(first, last);
  rest_ = std::string_view(last, rest_.end());
  return token;
}

bool IsSettingsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsSettingsToken(std::string_view value) {
  return !value.empty() && std::none_of(value.begin(), value.end(), IsSettingsSpace);
}

bool SameKey(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

IntegerPrefix ParseIntegerPrefix(std::string_view text) {
  IntegerPrefix result;
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  // Accumulated as a negative number, whose range reaches the lowest int.
  constexpr int kLowest = std::numeric_limits<int>::min();
  int accumulated = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    result.hasDigits = true;
    const int digit = text[i] - '0';
    accumulated = accumulated < (kLowest + digit) / 10 ? kLowest : accumulated * 10 - digit;
  }
  if (!result.hasDigits) return result;
  result.length = i;
  if (negative) {
    result.value = accumulated;
  } else {
    result.value = accumulated == kLowest ? std::numeric_limits<int>::max() : -accumulated;
  }
  return result;
}

int SettingsInteger(std::string_view token) { return ParseIntegerPrefix(token).value; }

}  // namespace fendo
