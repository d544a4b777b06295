// Rapid change by window. The kinds are changed on a copy of the work buffer, which takes the
// normalised result whole.
#include "edit/rapid_window.h"

#include "core/post_edit.h"
#include "core/screen_polygon.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

// Makes motion record i of `db` a Rapid; an arc's centre record goes with its arc.
void MakeRapid(ToolpathDatabase& db, int i) {
  const bool arc = db.IsArc(i);
  db.SetKind(i, MoveKind::Rapid);
  if (arc && db.ReadRecord(i + 1) && IsCentreKind(db.cursor.kind)) {
    db.cursor.kind = MoveKind::None;
    db.WriteRecord(i + 1);
  }
}

}  // namespace

EditOutcome RapidsInWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view, UndoStep undo) {
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  ScreenBox box;
  box.Add(a);
  box.Add(b);
  const Projection projection(view);
  const std::unique_ptr<ToolpathDatabase> edited = ScratchCopy(db);
  if (!edited) return EditOutcome::NoRoom;
  bool inside = false;
  for (int i = 0; i < edited->recordCount; ++i) {
    if (!edited->IsMotion(i) || !box.Contains(projection.ToClient(edited->cursor.position()))) continue;
    inside = true;
    const std::optional<int> next = edited->HasNextMotion(i);
    MakeRapid(*edited, i);
    if (next) MakeRapid(*edited, *next);
  }
  if (!inside) return EditOutcome::Unchanged;
  NormalizeKinds(*edited);
  return CommitEdit(db, *edited, undo);
}

}  // namespace fendo
