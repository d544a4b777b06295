#pragma once

#include <ostream>

#include "core/progress.h"

namespace fendo {

// A progress line on the terminal: "NCDATA 불러오기  42%", redrawn in place and cleared when done.
class TerminalProgress : public Progress {
 public:
  explicit TerminalProgress(std::ostream& terminal) : terminal_(terminal) {}
  ~TerminalProgress() override;
  void Report(std::string_view text, std::int64_t done, std::int64_t total) override;

 private:
  std::ostream& terminal_;
  int shownPercent_ = -1;
};

}  // namespace fendo
