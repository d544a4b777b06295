// The undo ring: ten snapshots of the work buffer, addressed by position modulo ten.
//
// Push stores the work buffer at undoPos and moves both positions one up, which drops any redo
// branch. The first Undo after edits also stores the present state (at undoTop) so that Redo can
// bring it back; an Undo therefore needs a free slot, and after ten or more edits at most nine
// Undos go back. Layers, statistics and safeZ are not part of a snapshot, nor are selections:
// restored records come back unselected. The work layer's unit is: it says what the records'
// numbers mean.
#include "core/toolpath_database.h"

namespace fendo {

bool ToolpathDatabase::Snapshot(SnapshotMode mode) {
  switch (mode) {
    case SnapshotMode::Push:
      if (recordCount <= 0 || !SaveSnapshot(undoPos_ % kUndoSlots)) return false;
      undoTop_ = ++undoPos_;
      return true;
    case SnapshotMode::Undo:
      if (undoPos_ < 1 || undoTop_ - undoPos_ > kUndoSlots - 1) return false;
      if (undoPos_ == undoTop_) {
        if (!SaveSnapshot(undoPos_ % kUndoSlots)) return false;
        ++undoTop_;
      }
      --undoPos_;
      return RestoreSnapshot(undoPos_ % kUndoSlots);
    case SnapshotMode::Redo:
      ++undoPos_;
      if (undoPos_ >= undoTop_) {
        undoPos_ = undoTop_;
        return false;
      }
      return RestoreSnapshot(undoPos_ % kUndoSlots);
  }
  return false;
}

void ToolpathDatabase::ClearUndo() {
  for (RecordBlock& snapshot : snapshots_) snapshot.Free();
  undoPos_ = undoTop_ = 0;
}

bool ToolpathDatabase::SaveSnapshot(int slot) {
  RecordBlock& snapshot = snapshots_[slot];
  if (!snapshot.Allocate(recordCount)) return false;
  buffer_.CopyOutUnselected(recordCount, snapshot.data());
  snapshotUnits_[slot] = layers[layers.workLayer].unit;
  return true;
}

bool ToolpathDatabase::RestoreSnapshot(int slot) {
  const RecordBlock& snapshot = snapshots_[slot];
  if (!buffer_.CopyIn(snapshot.data(), snapshot.count())) {
    memoryOk = false;
    return false;
  }
  recordCount = snapshot.count();
  layers[layers.workLayer].unit = snapshotUnits_[slot];
  return true;
}

}  // namespace fendo
