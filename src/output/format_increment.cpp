#include "output/format_increment.h"

#include <cmath>

#include "core/decimal.h"
#include "output/number_text.h"

namespace fendo {
namespace {

constexpr double kTieMargin = 1e-6;  // a scaled value this near x.5 is left to the text to decide
constexpr std::array<double, 7> kScales = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// The number the text of v with `decimals` decimals stands for. Away from a tie it is the
// rounded scaled value divided back, which is what reading the text gives; near one, the text
// itself is read.
double WrittenValue(double v, int decimals, const std::string& text) {
  const double scale = decimals >= 0 && decimals < static_cast<int>(kScales.size()) ? kScales[decimals]
                                                                                   : std::pow(10.0, decimals);
  const double scaled = v * scale;
  if (std::fabs(std::fabs(scaled - std::trunc(scaled)) - 0.5) < kTieMargin || !std::isfinite(scaled)) {
    return ParseDecimalPrefix(text).value;
  }
  return std::round(scaled) / scale;
}

}  // namespace

void FormatIncrement(std::array<double, 3>& values, std::array<std::string, 3>& texts, int decimals) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    std::string& text = texts[k];
    text.clear();
    AppendFixed(text, values[k], decimals);
    values[k] = WrittenValue(values[k], decimals, text);
    // Trailing zeros of the fraction go, and the zero in front of the point.
    if (text.find('.') != std::string::npos) {
      while (text.ends_with('0')) text.pop_back();
    }
    if (text.starts_with("-0")) text.erase(1, 1);
    if (text.starts_with('0')) text.erase(0, 1);
  }
}

}  // namespace fendo
