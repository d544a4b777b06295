#pragma once

#include <cstddef>
#include <string_view>

namespace fendo {

// The syntax shared by fendo.cfg and fendo.par: white-space separated tokens taken two at a
// time as a key and its value. Keys are compared without regard to case; the caller skips a
// pair whose key it does not know. Reading ends at the end of the text, and a lone last token
// (a key without a value) is ignored. A token may be of any length.

struct SettingsPair {
  std::string_view key;
  std::string_view value;
};

// Hands out the pairs of a text held by the caller, which must outlive the reader.
class SettingsPairReader {
 public:
  explicit SettingsPairReader(std::string_view text) : rest_(text) {}

  // The next pair, or false at the end of the text.
  bool Next(SettingsPair& pair);

 private:
  std::string_view NextToken();

  std::string_view rest_;  // the text not yet read
};

// The white space that separates tokens: space, tab, line feed, carriage return, vertical tab
// and form feed, whatever the locale.
bool IsSettingsSpace(char c);

// True when `value` can be written as one token: not empty and without white space. Any other
// value would be read back as something else and shift every pair behind it.
bool IsSettingsToken(std::string_view value);

// Equal when the keys differ at most in the case of ASCII letters.
bool SameKey(std::string_view a, std::string_view b);

// A number read from the front of a text: [sign] digits, the value saturated to the int range.
struct IntegerPrefix {
  int value = 0;
  bool hasDigits = false;  // false when the text does not start with a number
  std::size_t length = 0;  // characters read, 0 without digits
};
IntegerPrefix ParseIntegerPrefix(std::string_view text);

// The value of a settings token as C's atoi reads it, without its overflow: the leading
// [sign] digits, saturated to the int range; 0 when there are none ("yes" is 0).
int SettingsInteger(std::string_view token);

}  // namespace fendo
