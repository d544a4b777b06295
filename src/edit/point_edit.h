#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// "<< 편집 방법 >>": move the record itself ("이동") or insert a new one before it ("삽입").
enum class PointEditMode { Move, Insert };
// "<< 이송 방법 >>": the edited record cuts ("절삭") or moves at rapid ("급속").
enum class PointMotion { Cutting, Rapid };

// CPointEditDlg's fields ("포인트 편집 조건을 입력하시요 !!"). The coordinates, feed and motion are
// filled from the record each time; the edit mode is the command's own and kept between uses.
struct PointEditValues {
  double x = 0;  // mm, "X 촤표"
  double y = 0;  // mm, "Y 촤표"
  double z = 0;  // mm, "Z 촤표"
  int feed = 0;  // mm/min, "이송속도": 0 … 100000
  PointEditMode mode = PointEditMode::Move;
  PointMotion motion = PointMotion::Cutting;
};

// The feed field out of its range.
std::optional<OptionOutOfRange> CheckPointEditValues(const PointEditValues& values);
std::span<const FieldRange<PointEditValues>> PointEditRanges();

// The dialog's values for motion record `record`: its coordinates and feed, "급속" for a rapid
// record and "절삭" otherwise, with the edit mode `mode` the command kept.
PointEditValues PointEditValuesOf(ToolpathDatabase& db, int record, PointEditMode mode);

// Whether the edit takes the dialog's feed. The start and end point commands show the feed
// but keep it out: a moved record keeps its own, an inserted one takes the feed of the record
// it is inserted before.
enum class FeedField { Applied, Ignored };

// Moves motion record `record` to the entered point, or inserts a new record there (the record
// and all after it move up by one). The edited record becomes a FeedStart for "절삭" and a
// RapidStart for "급속"; the next motion record then follows it: after a RapidStart a Feed
// becomes a FeedStart and a RapidStart a Rapid, after a FeedStart a Rapid becomes a RapidStart
// and a FeedStart a Feed. After an insert the record it went before is the next one, whatever
// its kind: a new first point of a path leaves the old first point a cut of the same path, not
// the start of a second one. A moved arc end becomes a straight move and loses its centre
// record. Nothing is compacted, normalised or rebuilt.
// One undo step; Refused for a record that is no motion record or a feed out of range, NoRoom
// (nothing changed) for an insert into a full work buffer.
EditOutcome EditPoint(ToolpathDatabase& db, int record, const PointEditValues& values,
                      FeedField feed = FeedField::Applied, UndoStep undo = UndoStep::Push);

// The record "시작 포인트 위치변경" and "끝 포인트 위치변경" edit: the first and the last motion
// record of the program; nothing for a program without one.
std::optional<int> FirstMotionRecord(ToolpathDatabase& db);
std::optional<int> LastMotionRecord(ToolpathDatabase& db);

}  // namespace fendo
