#pragma once

#include <cmath>
#include <vector>

#include "core/toolpath_database.h"
#include "edit/edit_commit.h"

namespace fendo::test {

// The records of the work buffer of a generator's result.
inline std::vector<ToolpathRecord> All(ToolpathDatabase& db) { return CopyRecords(db); }

// The records of one kind, in order.
inline std::vector<ToolpathRecord> OfKind(ToolpathDatabase& db, MoveKind kind) {
  std::vector<ToolpathRecord> found;
  for (const ToolpathRecord& r : CopyRecords(db)) {
    if (r.kind == kind) found.push_back(r);
  }
  return found;
}

// The indices of the plunges: the cuts that follow a rapid move.
inline std::vector<std::size_t> Plunges(const std::vector<ToolpathRecord>& records) {
  std::vector<std::size_t> plunges;
  for (std::size_t i = 1; i < records.size(); ++i) {
    if (records[i].kind == MoveKind::FeedStart && IsRapidKind(records[i - 1].kind)) plunges.push_back(i);
  }
  return plunges;
}

// The plunges' heights: one per level of a pocket, one per outline of a profile.
inline std::vector<double> PlungeHeights(ToolpathDatabase& db) {
  const std::vector<ToolpathRecord> records = CopyRecords(db);
  std::vector<double> heights;
  for (std::size_t i : Plunges(records)) heights.push_back(records[i].z);
  return heights;
}

// Twice the signed area of the XY polygon through the records first … last − 1 that are not
// centre records: above 0 for a counter-clockwise loop.
inline double SignedArea2(const std::vector<ToolpathRecord>& records, std::size_t first, std::size_t last) {
  std::vector<ToolpathRecord> points;
  for (std::size_t i = first; i < last; ++i) {
    if (!IsCentreKind(records[i].kind)) points.push_back(records[i]);
  }
  double area = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ToolpathRecord& a = points[i];
    const ToolpathRecord& b = points[(i + 1) % points.size()];
    area += double{a.x} * b.y - double{b.x} * a.y;
  }
  return area;
}

}  // namespace fendo::test
