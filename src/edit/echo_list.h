#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fendo {

// A list of the "Layer ON" and "Layer OFF" fields of the echo dialog, read: the layers it names
// in the order named, or the first item that names none.
struct EchoList {
  std::vector<int> layers;
  std::optional<std::string> badItem;  // set: the list is not taken at all
};

// Items separated by white space, of any number: "N" names layer N, "A-B" layers A to B. Every
// number is a whole number of the user's layers (0..99) and A is not above B; anything else is
// the bad item, so that a mistyped list is never taken in part.
EchoList ParseEchoList(std::string_view text);

}  // namespace fendo
