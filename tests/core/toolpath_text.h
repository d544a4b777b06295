#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo::test {

// A coordinate to a hundredth of a micrometre (float precision at the size of a part),
// without trailing zeros: "10", "-0.1", "49.997".
inline std::string Coordinate(float v) {
  char digits[64];
  std::string text(digits, std::to_chars(digits, digits + sizeof digits, static_cast<double>(v),
                                         std::chars_format::fixed, 5).ptr);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

// A record as "kind x y z feed": easy to read in an expectation and exact enough to catch a
// wrong coordinate.
inline std::string Describe(const ToolpathRecord& r) {
  std::string text = std::to_string(static_cast<int>(r.kind));
  for (float v : {r.x, r.y, r.z}) text += ' ' + Coordinate(v);
  return text + ' ' + std::to_string(r.feed);
}

inline std::vector<std::string> Records(ToolpathDatabase& db) {
  std::vector<std::string> records;
  for (int i = 0; i < db.recordCount; ++i) records.push_back(Describe(*db.RecordAt(i)));
  return records;
}

// Reads an NC program given as text into a fresh database and describes its records.
inline std::vector<std::string> Read(std::string_view program, NcOptions options = {}) {
  ToolpathDatabase db;
  db.options = options;
  AppendText(db, program);
  return Records(db);
}

inline ToolpathRecord Rec(MoveKind kind, float x, float y, float z, int feed = 0) {
  return {x, y, z, feed, 0, kind};
}

// Puts the given records into the work buffer.
inline void Fill(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    db.cursor = ToCursor(records[i]);
    db.WriteRecord(i);
  }
  db.recordCount = static_cast<int>(records.size());
}

}  // namespace fendo::test
