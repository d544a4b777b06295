#pragma once

#include <optional>

#include "edit/record_list.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"

namespace fendo {

// How the tool comes back down where a path re-enters the kept side, from above the crossing.
enum class TrimDescent {
  Rapid,  // straight down to the crossing at rapid
  Feed,   // down to the crossing cutting at feed
};

// What one trim pass removes and how it re-enters.
struct TrimRule {
  const RegionBoundary& boundary;
  TrimSide removed;
  TrimDescent descent = TrimDescent::Rapid;
  // The descent into a kept stretch that lies wholly within one move (the move starts and ends
  // on the removed side).
  TrimDescent descentWithinMove = TrimDescent::Rapid;
};

// Counts the records a trim has walked and reports the share done now and then.
class TrimProgress {
 public:
  TrimProgress(Progress* progress, std::int64_t total) : progress_(progress), total_(total) {}
  void Walked(std::int64_t records);
  void Finished();

 private:
  Progress* progress_;
  std::int64_t total_;
  std::int64_t done_ = 0;
  std::int64_t nextReport_ = 0;
};

struct TrimmedRecords {
  RecordList records;
  bool trimmed = false;  // some cutting move lost a piece
};

// One pass of the trim over `records` (a compacted program): the records of the result, before
// the rapid rebuild; nothing when they would pass the record limit.
std::optional<TrimmedRecords> TrimRecords(const RecordList& records, const TrimRule& rule, double safeZ,
                                          TrimProgress& progress);

}  // namespace fendo
