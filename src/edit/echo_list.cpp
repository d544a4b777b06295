#include "edit/echo_list.h"

#include <algorithm>
#include <charconv>

#include "edit/work_layer.h"

namespace fendo {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::optional<int> LayerNumber(std::string_view digits) {
  int layer = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), layer);
  // from_chars takes a leading minus sign: "-3" is no layer, and neither is "3-" 's empty end.
  if (digits.empty() || digits.front() == '-' || error != std::errc() || end != digits.data() + digits.size() ||
      !IsUserLayer(layer)) {
    return std::nullopt;
  }
  return layer;
}

}  // namespace

EchoList ParseEchoList(std::string_view text) {
  EchoList list;
  std::size_t at = text.find_first_not_of(kBlanks);
  while (at != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
    const std::string_view item = text.substr(at, end - at);
    at = text.find_first_not_of(kBlanks, end);
    const std::size_t dash = item.find('-');
    const std::optional<int> first = LayerNumber(item.substr(0, dash));
    const std::optional<int> last = dash == std::string_view::npos ? first : LayerNumber(item.substr(dash + 1));
    if (!first || !last || *last < *first) {
      list.layers.clear();
      list.badItem = std::string(item);
      return list;
    }
    for (int layer = *first; layer <= *last; ++layer) list.layers.push_back(layer);
  }
  return list;
}

}  // namespace fendo
