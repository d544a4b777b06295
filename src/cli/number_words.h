#pragma once

// The numbers of fendo-batch option values of several words ("10 40", "1,0,-2").

#include <optional>
#include <string_view>
#include <vector>

namespace fendo {

// A number written whole; nothing for anything else.
std::optional<double> Number(std::string_view text);

// The pieces of `text` between the separators.
std::vector<std::string_view> Split(std::string_view text, char separator);

// The numbers of a value of pieces between the separators; nothing unless there are `count`
// finite numbers (a point at infinity is no place).
std::optional<std::vector<double>> Numbers(std::string_view text, std::size_t count, char separator = ' ');

}  // namespace fendo
