#pragma once

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

#include "core/geometry.h"
#include "core/layer_table.h"
#include "core/nc_options.h"
#include "core/nc_reader_state.h"
#include "core/record_block.h"
#include "core/statistics.h"
#include "core/toolpath_record.h"
#include "core/work_buffer.h"

namespace fendo {

enum class SnapshotMode { Push = 1, Undo = 2, Redo = 3 };

// A path found by NextPathRange: the rapid move leading into it starts at approachStart; the
// path's records end before `end`, which is where the next search starts.
struct PathRange {
  int approachStart = 0;
  int end = 0;
};

// The store of one view's toolpaths: the records of the work layer (the work buffer), the
// cursor record through which they are read and written, the layers, the undo ring and the
// statistics. A toolpath is a flat sequence of fixed-size records; paths, arcs and layers are
// conventions over it (see MoveKind). Algorithms hold record indices, never pointers.
class ToolpathDatabase {
 public:
  static constexpr int kMaxRecords = WorkBuffer::kMaxRecords;
  static constexpr int kUndoSlots = 10;
  // A stored coordinate beyond this (mm) marks a position that cannot be machined: the record
  // turns into a None record the first time it is read. Centre records hold offsets, not
  // positions; an arc of huge radius (nearly straight) legitimately has larger ones.
  static constexpr double kCoordinateLimit = 32700;

  ToolpathDatabase() = default;
  ToolpathDatabase(const ToolpathDatabase&) = delete;
  ToolpathDatabase& operator=(const ToolpathDatabase&) = delete;

  // Loads record i into the cursor: 1 when its kind is not None, 0 when it is None. Fails (0,
  // cursor untouched) past recordCount, in a chunk never written, or for an out-of-range record.
  int ReadRecord(int i) {
    if (i < 0 || i >= recordCount) return 0;
    ToolpathRecord* r = buffer_.Find(i);
    if (!r) return 0;
    if (IsOutOfRange(*r)) {
      Retire(*r);
      return 0;
    }
    cursor = ToCursor(*r);
    return r->kind != MoveKind::None;
  }
  // Stores the cursor into record i (coordinates rounded to float). recordCount is not changed.
  // 0 past the last chunk, or when the chunk's memory could not be had (memoryOk becomes 0).
  int WriteRecord(int i) {
    ToolpathRecord* r = buffer_.Obtain(i);
    if (!r) {
      if (i >= 0 && i < kMaxRecords) memoryOk = false;
      return 0;
    }
    memoryOk = true;
    *r = {ToStored(cursor.x), ToStored(cursor.y), ToStored(cursor.z), cursor.feed,
          static_cast<std::int16_t>(cursor.selected), cursor.kind};
    return 1;
  }

  // Stores the cursor as a new last record (index recordCount) and counts it. False, with
  // recordCount unchanged, at the record limit or when the chunk's memory could not be had
  // (memoryOk tells which).
  bool AppendCursor() {
    if (!WriteRecord(recordCount)) return false;
    ++recordCount;
    return true;
  }
  // Loads `record` into the cursor and appends it.
  bool AppendRecord(const ToolpathRecord& record) {
    cursor = ToCursor(record);
    return AppendCursor();
  }

  // Replaces the records of the work buffer by `records`, or by the records of `scratch` (a
  // store a whole-program edit builds beside the work buffer). The chunks a longer program
  // needs are claimed before the first record is overwritten, so a result that does not fit
  // (beyond the record limit, or its memory could not be had) returns false with the records
  // as they were. Only the records change: the undo snapshot, the layers and the statistics
  // are the caller's. The cursor carries the copy and keeps nothing of what it held.
  bool ReplaceRecords(std::span<const ToolpathRecord> records);
  bool ReplaceRecords(ToolpathDatabase& scratch);

  // Record i as stored, for loops that only read: nullptr outside 0..recordCount−1, a None
  // record in a chunk never written. Applies the same out-of-range rule as ReadRecord, and
  // leaves the cursor alone.
  const ToolpathRecord* RecordAt(int i) {
    static constexpr ToolpathRecord kNeverWritten{};
    if (i < 0 || i >= recordCount) return nullptr;
    ToolpathRecord* r = buffer_.Find(i);
    if (!r) return &kNeverWritten;
    if (IsOutOfRange(*r)) Retire(*r);
    return r;
  }

  // Calls visit(i, record) for every record 0..recordCount−1 in order, as RecordAt would give
  // them, a chunk at a time: the walk of passes over the whole buffer.
  template <typename Visit>
  void ForEachRecord(Visit visit) {
    buffer_.ForEachChunk(recordCount, [&visit](int first, ToolpathRecord* chunk, int count) {
      static constexpr ToolpathRecord kNeverWritten{};
      for (int k = 0; k < count; ++k) {
        if (!chunk) {
          visit(first + k, kNeverWritten);
          continue;
        }
        if (IsOutOfRange(chunk[k])) Retire(chunk[k]);
        visit(first + k, static_cast<const ToolpathRecord&>(chunk[k]));
      }
    });
  }

  bool IsMotion(int i) { return ReadRecord(i) && IsMotionKind(cursor.kind); }
  bool IsRapid(int i) { return ReadRecord(i) && IsRapidKind(cursor.kind); }
  bool IsRapidStart(int i) { return ReadRecord(i) && cursor.kind == MoveKind::RapidStart; }
  bool IsLinearFeed(int i) { return i < recordCount && ReadRecord(i) && IsLinearFeedKind(cursor.kind); }
  bool IsFeedStart(int i) { return ReadRecord(i) && cursor.kind == MoveKind::FeedStart; }
  bool IsArc(int i) { return ReadRecord(i) && IsArcKind(cursor.kind); }

  // The nearest motion record before i (0 when there is none); the cursor holds what was found.
  int PrevMotion(int i);
  // The nearest motion record after i, 0 when there is none.
  int NextMotion(int i);
  std::optional<int> HasPrevMotion(int i);
  std::optional<int> HasNextMotion(int i);
  std::optional<int> FirstMotion();
  // The next path at or after p (p = 0 counts as 1).
  std::optional<PathRange> NextPathRange(int p);

  bool SetKind(int i, MoveKind kind);
  bool SetPosition(int i, Point3 p);
  // Exchanges the coordinates and feeds of records a and b; each keeps its kind.
  void SwapPositions(int a, int b);
  // Exchanges records a and b whole.
  void SwapRecords(int a, int b);
  // P(a) − P(b) with its length and direction; the cursor ends holding b.
  SegmentResult Segment(int a, int b);

  void InvertSelection();
  void ClearSelection();

  // The work buffer into slot L and back. Saving replaces the slot's records; loading a slot
  // without records empties the work buffer and returns false.
  bool SaveToLayer(int slot);
  bool LoadFromLayer(int slot);

  // Frees every chunk of the work buffer; recordCount becomes 0.
  void Clear();
  // Empties the work buffer and keeps from now on only its latest records (a few chunks): for
  // a reading that is followed line by line and whose records are not wanted afterwards.
  void KeepLatestRecordsOnly();

  // Push: keep the work buffer in the undo ring before an edit (nothing for an empty buffer).
  // Undo and Redo step through the ring. False when nothing was done or memory ran out.
  bool Snapshot(SnapshotMode mode);
  // Empties the ring: its snapshots belong to the records of one work layer.
  void ClearUndo();
  int undoPos() const { return undoPos_; }
  int undoTop() const { return undoTop_; }

  // Bytes held by the work buffer, the layers and the undo ring.
  std::size_t HeldBytes() const;

  static bool IsOutOfRange(const ToolpathRecord& r) {
    // Written so that NaN counts as out of range too.
    return !(std::abs(r.x) <= kCoordinateLimit && std::abs(r.y) <= kCoordinateLimit &&
             std::abs(r.z) <= kCoordinateLimit) &&
           !IsCentreKind(r.kind);
  }

  CursorRecord cursor;
  int recordCount = 0;              // records in the work buffer, set by whoever writes them
  LayerTable layers;
  NcOptions options;
  ArcPlane plane = ArcPlane::XY;    // arc plane in force while reading
  double chordTolerance = 0.001;    // mm, arcs turned into lines while reading stay this close
  bool memoryOk = true;             // false after a chunk could not be allocated
  int lastMotionIndex = 0;          // the last motion record after a load
  int workFeed = 300;               // mm/min given to created moves; reference of feed colours
  double safeZ = 100.0;             // mm, height of rebuilt rapid moves
  ToolpathStatistics statistics;
  Extents boundingBox;              // the feed extents
  double pathLength = 0;            // mm, set by PathLength
  NcReaderState reader;

 private:
  static void Retire(ToolpathRecord& r);
  // Writes once into every chunk that records recordCount … count−1 fall in, so that the
  // writes of a replacement cannot fail half way. False when a chunk could not be had.
  bool ClaimRecords(int count);
  // Rounds a coordinate to storage precision; values beyond float range saturate instead of
  // overflowing (they are out of range for the work buffer either way).
  static float ToStored(double v) { return static_cast<float>(std::clamp(v, -double{FLT_MAX}, double{FLT_MAX})); }
  bool SaveSnapshot(int slot);
  bool RestoreSnapshot(int slot);

  WorkBuffer buffer_;
  std::array<RecordBlock, kUndoSlots> snapshots_;
  // The work layer's unit with each snapshot: records brought back must not be written in the
  // unit of the program that replaced them.
  std::array<ProgramUnit, kUndoSlots> snapshotUnits_{};
  int undoPos_ = 0;
  int undoTop_ = 0;
};

}  // namespace fendo
