#include "cli/number_words.h"

#include <charconv>
#include <cmath>

namespace fendo {

std::optional<double> Number(std::string_view text) {
  double value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const std::size_t at = text.find(separator);
    pieces.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return pieces;
    text.remove_prefix(at + 1);
  }
}

std::optional<std::vector<double>> Numbers(std::string_view text, std::size_t count, char separator) {
  std::vector<double> numbers;
  for (std::string_view piece : Split(text, separator)) {
    const std::optional<double> n = Number(piece);
    if (!n || !std::isfinite(*n)) return std::nullopt;
    numbers.push_back(*n);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

}  // namespace fendo
