#pragma once

#include <cstdint>
#include <string_view>

namespace fendo {

// Where a long operation tells how far it has come: the status bar in the program, a bar on
// the terminal in fendo-batch, nothing in tests.
class Progress {
 public:
  virtual ~Progress() = default;
  // `done` of `total` units of work (total 0 when unknown); `text` names the work.
  virtual void Report(std::string_view text, std::int64_t done, std::int64_t total) = 0;
};

}  // namespace fendo
