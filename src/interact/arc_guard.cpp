#include "interact/arc_guard.h"

#include "core/progress.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "interact/no_room.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

bool HasArc(ToolpathDatabase& db) {
  bool found = false;
  db.ForEachRecord([&found](int, const ToolpathRecord& r) { found = found || IsArcKind(r.kind); });
  return found;
}

}  // namespace

bool ArcGuard(ToolpathDatabase& db, UserPrompts& prompts, Progress& progress) {
  if (!HasArc(db)) return true;
  if (!prompts.AskOkCancel(kArcGuardQuestion, kErrorCaption, PromptIcon::Question)) return false;
  db.Snapshot(SnapshotMode::Push);
  if (!ArcsToLines(db, kArcGuardChordTolerance, &progress)) {
    TellNoRoom(prompts);
    return false;
  }
  return true;
}

}  // namespace fendo
