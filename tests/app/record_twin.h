#pragma once

#include <QString>

#include <memory>

#include "core/toolpath_database.h"

namespace fendo::test {

// A database of its own holding what `db` holds: the engine run on it directly gives what a
// command must give on the view's.
inline std::unique_ptr<ToolpathDatabase> Twin(ToolpathDatabase& db) {
  auto twin = std::make_unique<ToolpathDatabase>();
  db.ForEachRecord([&twin](int i, const ToolpathRecord& r) {
    twin->cursor = ToCursor(r);
    twin->WriteRecord(i);
  });
  twin->recordCount = db.recordCount;
  twin->safeZ = db.safeZ;
  twin->workFeed = db.workFeed;
  twin->options = db.options;
  twin->layers.workLayer = db.layers.workLayer;
  return twin;
}

// Where two databases differ (the selection aside); empty when they hold the same records.
inline QString Difference(ToolpathDatabase& a, ToolpathDatabase& b) {
  if (a.recordCount != b.recordCount) return QStringLiteral("%1 records, not %2").arg(a.recordCount).arg(b.recordCount);
  for (int i = 0; i < a.recordCount; ++i) {
    const ToolpathRecord& r = *a.RecordAt(i);
    const ToolpathRecord& s = *b.RecordAt(i);
    if (r.x != s.x || r.y != s.y || r.z != s.z || r.feed != s.feed || r.kind != s.kind) {
      return QStringLiteral("record %1: (%2 %3 %4 F%5 kind %6), not (%7 %8 %9 F%10 kind %11)")
          .arg(i)
          .arg(r.x).arg(r.y).arg(r.z).arg(r.feed).arg(static_cast<int>(r.kind))
          .arg(s.x).arg(s.y).arg(s.z).arg(s.feed).arg(static_cast<int>(s.kind));
    }
  }
  return {};
}

}  // namespace fendo::test
