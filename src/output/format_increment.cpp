#include "output/format_increment.h"

#include "core/decimal.h"
#include "output/number_text.h"

namespace fendo {

void FormatIncrement(std::array<double, 3>& values, std::array<std::string, 3>& texts, int decimals) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    std::string text;
    AppendFixed(text, values[k], decimals);
    values[k] = ParseDecimalPrefix(text).value;
    // Trailing zeros of the fraction go, and the zero in front of the point.
    if (text.find('.') != std::string::npos) {
      while (text.ends_with('0')) text.pop_back();
    }
    if (text.starts_with("-0")) text.erase(1, 1);
    if (text.starts_with('0')) text.erase(0, 1);
    texts[k] = std::move(text);
  }
}

}  // namespace fendo
