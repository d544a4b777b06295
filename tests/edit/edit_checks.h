#pragma once

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/toolpath_text.h"

namespace fendo::test {

inline std::string PointText(const ToolpathRecord& r) {
  return Coordinate(r.x) + ' ' + Coordinate(r.y) + ' ' + Coordinate(r.z);
}

// Every cutting move of the work buffer in order, as "from > to" (from the motion record
// before it) with its kind and feed: "0 0 5 > 0 0 0 G3 F100".
inline std::vector<std::string> CutMoves(ToolpathDatabase& db) {
  std::vector<std::string> moves;
  std::optional<ToolpathRecord> previous;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord r = *db.RecordAt(i);
    if (!IsMotionKind(r.kind)) continue;
    if (IsCuttingKind(r.kind) && previous) {
      moves.push_back(PointText(*previous) + " > " + PointText(r) + " G" + std::to_string(static_cast<int>(r.kind)) +
                      " F" + std::to_string(r.feed));
    }
    previous = r;
  }
  return moves;
}

// The cutting moves as "from > to" only, as a set: what a cut joins.
inline std::set<std::string> CutLinks(ToolpathDatabase& db) {
  std::set<std::string> links;
  std::optional<ToolpathRecord> previous;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord r = *db.RecordAt(i);
    if (!IsMotionKind(r.kind)) continue;
    if (IsCuttingKind(r.kind) && previous && PointText(*previous) != PointText(r)) {
      links.insert(PointText(*previous) + " > " + PointText(r));
    }
    previous = r;
  }
  return links;
}

// Whether the work buffer holds exactly `records`, byte for byte.
inline bool HoldsRecords(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  if (db.recordCount != static_cast<int>(records.size())) return false;
  for (int i = 0; i < db.recordCount; ++i) {
    if (std::memcmp(db.RecordAt(i), &records[i], sizeof(ToolpathRecord)) != 0) return false;
  }
  return true;
}

}  // namespace fendo::test
