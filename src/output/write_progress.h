#pragma once

#include <cstdint>
#include <string_view>

#include "core/progress.h"

namespace fendo {

// How far the writing of an NC program has come, for the status bar: the records walked of all
// the records to write. A program of millions of records is reported every few tens of
// thousands, so that reporting costs nothing beside the writing.
class WriteProgress {
 public:
  // No reports when `progress` is nullptr.
  WriteProgress(Progress* progress, std::int64_t total) : progress_(progress), total_(total) {}

  // One more record walked.
  void Step() {
    ++done_;
    if (progress_ && done_ % kRecordsBetweenReports == 0) progress_->Report(kWritingText, done_, total_);
  }

 private:
  static constexpr std::int64_t kRecordsBetweenReports = 65536;
  static constexpr std::string_view kWritingText = "Ncdata 저장";

  Progress* progress_;
  std::int64_t total_;
  std::int64_t done_ = 0;
};

}  // namespace fendo
