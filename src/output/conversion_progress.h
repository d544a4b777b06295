#pragma once

#include <string_view>

namespace fendo {

class Progress;

// The status-bar text of a conversion pass as it walks the records: its words followed by
// the share of records done as "%6.3f" and a closing bracket, e.g.
// " XY Plane processing ( 4.040)", once every 101 records; a single space when the pass ends.
class ConversionProgress {
 public:
  // `words` is the text up to the number, e.g. " XY Plane processing (". No reports when
  // `progress` is nullptr.
  ConversionProgress(Progress* progress, std::string_view words) : progress_(progress), words_(words) {}
  ConversionProgress(const ConversionProgress&) = delete;
  ConversionProgress& operator=(const ConversionProgress&) = delete;
  // Clears the text.
  ~ConversionProgress();

  // The walk has come to record p of `count`.
  void At(int p, int count);

 private:
  static constexpr int kRecordsBetweenReports = 101;

  Progress* progress_;
  std::string_view words_;
  int nextReport_ = kRecordsBetweenReports;
};

}  // namespace fendo
