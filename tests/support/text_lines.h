#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace fendo::test {

// The lines of a text, without their line feeds.
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace fendo::test
