#pragma once

#include <cstddef>

#include "core/toolpath_database.h"
#include "edit/edit_outcome.h"
#include "edit/record_list.h"

namespace fendo {

// The records a generator makes, built beside the work buffer: rapid moves at the retract
// height, every record with the work feed. It takes no more than the room behind the work
// buffer's records and says when the generator asked for more, so that a pattern far too large
// for the record limit is never built in memory.
class GeneratedPath {
 public:
  GeneratedPath(const ToolpathDatabase& db, std::size_t room) : safeZ_(db.safeZ), feed_(db.workFeed), room_(room) {}

  // A RapidStart record at (x, y) at the retract height: the traverse before a cut, or the
  // retract after it.
  // Nothing when the tool is there already: a move that goes nowhere is no line of the program.
  void RapidStartAbove(double x, double y) { Traverse(MoveKind::RapidStart, x, y); }
  // A Rapid record at (x, y) at the retract height: a traverse continued.
  void RapidAbove(double x, double y) { Traverse(MoveKind::Rapid, x, y); }
  // The plunge into a cut: a FeedStart record.
  void PlungeTo(double x, double y, double z) { Add(MoveKind::FeedStart, x, y, z); }
  // A straight cut at the height of the tool; nothing when the tool is already there.
  void FeedTo(double x, double y);
  // A cut along an XY arc at the height of the tool, from where the tool is to (x, y),
  // about the centre (cx, cy): the arc record, then its centre record (I, J from the start).
  void ArcTo(MoveKind kind, double x, double y, double cx, double cy);
  // The retract above the tool: a RapidStart record at the retract height.
  void Retract();

  // Whether the generator asked for more records than there is room for.
  bool full() const { return full_; }
  const RecordList& records() const { return records_; }

 private:
  void Add(MoveKind kind, double x, double y, double z);
  void Traverse(MoveKind kind, double x, double y);

  double safeZ_;  // mm
  int feed_;      // mm/min
  std::size_t room_;
  bool full_ = false;
  RecordList records_;
  ToolpathRecord at_{};  // the last motion record: where the tool is
};

// What a generator did.
struct GenerateResult {
  // Changed: the records were appended (one undo snapshot before); Unchanged: the values make
  // no pass at all; NoRoom: the result would pass the record limit; Refused: a value out of its
  // range. In all but Changed the work buffer is as it was.
  EditOutcome outcome = EditOutcome::Unchanged;
  int levelsLeftOut = 0;  // levels (of each pass) where an offset or a taper left nothing to cut
  int recordsAdded = 0;
};

// The room behind the work buffer's records, up to the record limit.
std::size_t RoomBehind(const ToolpathDatabase& db);

// Appends the records of `path` behind the work buffer's records with one undo snapshot, whole
// or not at all.
GenerateResult AppendGenerated(ToolpathDatabase& db, const GeneratedPath& path, int levelsLeftOut);

}  // namespace fendo
