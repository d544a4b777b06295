#include "output/conversion_progress.h"

#include <string>

#include "core/progress.h"
#include "output/number_text.h"

namespace fendo {
namespace {

constexpr int kShareWidth = 6;  // "%6.3f"
constexpr int kShareDecimals = 3;

}  // namespace

ConversionProgress::~ConversionProgress() {
  // Total 0: no share to show, only the emptied text.
  if (progress_) progress_->Report(" ", 0, 0);
}

void ConversionProgress::At(int p, int count) {
  if (!progress_ || p < nextReport_) return;
  nextReport_ = p + kRecordsBetweenReports;
  std::string share;
  AppendFixed(share, p * 100.0 / count, kShareDecimals);
  std::string text(words_);
  if (share.size() < kShareWidth) text.append(kShareWidth - share.size(), ' ');
  text += share;
  text += ')';
  progress_->Report(text, p, count);
}

}  // namespace fendo
