#include "cli/terminal_progress.h"

namespace fendo {

TerminalProgress::~TerminalProgress() {
  if (shownPercent_ >= 0) terminal_ << "\r\033[K" << std::flush;
}

void TerminalProgress::Report(std::string_view text, std::int64_t done, std::int64_t total) {
  if (total <= 0) return;
  const int percent = static_cast<int>(100 * done / total);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  terminal_ << '\r' << text << "  " << percent << '%' << std::flush;
}

}  // namespace fendo
