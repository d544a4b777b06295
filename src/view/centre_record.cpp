#include "view/centre_record.h"

#include <optional>

#include "core/toolpath_database.h"
#include "view/navigation.h"

namespace fendo {

bool CentreOnRecord(ToolpathDatabase& db, ViewState& view, int record) {
  if (record < 0 || record >= db.recordCount) return false;
  db.ClearSelection();
  if (db.IsMotion(record)) {
    db.cursor.selected = 1;
    db.WriteRecord(record);
    CentreOn(view, {db.cursor.x, db.cursor.y, db.cursor.z});
  } else if (const std::optional<int> before = db.HasPrevMotion(record)) {
    db.ReadRecord(*before);
    CentreOn(view, {db.cursor.x, db.cursor.y, db.cursor.z});
  }
  return true;
}

}  // namespace fendo
