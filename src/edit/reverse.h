#pragma once

#include <span>
#include <vector>

#include "core/view_state.h"
#include "edit/edit_outcome.h"
#include "edit/record_list.h"

namespace fendo {

class ToolpathDatabase;

// Reversing a stretch of records: its motion records are written from the last to the first,
// and each takes the kind and feed of the move that followed it before, since that move now
// arrives at it from the other side. The first record written (the old last) takes the kind
// and feed of the move that entered the stretch. A move that was an arc becomes an arc of the
// other sense about the same centre, its centre record measured from its new start point.
// Records outside the stretch do not change; applied twice, the stretch is as it was.

// Reverses records first … end−1 of a record list.
void ReverseRecords(RecordList& records, int first, int end);

// Reverses records first … end−1 of the work buffer in place ("ReverseRange"); the stretch may
// hold None records, which end up at its end.
void ReverseRange(ToolpathDatabase& db, int first, int end);

// "공구경로 방향 바꾸기" (CReverseDlg): its four check boxes, kept between uses. Checking
// "방향 바꾸기" or "순서 바꾸기" clears "두방향 경로로 바꾸기" and the other way round
// (SetDirection, SetOrder and SetTwoWay keep that rule for a dialog).
struct ReverseParams {
  bool direction = true;   // "방향 바꾸기": every path runs backwards
  bool order = false;      // "순서 바꾸기": the paths come in reverse order
  bool twoWay = false;     // "두방향 경로로 바꾸기": every second path runs backwards (zigzag)
  bool polygon = false;    // "다각형 윈도우로 선택": only the paths that start inside a polygon

  void SetDirection(bool on);
  void SetOrder(bool on);
  void SetTwoWay(bool on);
};

// The most vertices of the polygon that marks the paths to reverse; further clicks are not
// taken. Vertices closer than kReverseVertexSpacing to the one before are dropped.
inline constexpr int kMostReverseVertices = 99;
inline constexpr double kReverseVertexSpacing = 5;  // pixels

// The reverse command: with `polygon` on, only the paths whose first cutting record is seen
// inside `polygon` (client pixels of `view`) are reversed, and they come first in the program,
// followed by the others in their old order and direction. Then the paths are reversed as the
// check boxes say and the rapid moves rebuilt. Unchanged when no box acts or the polygon marks
// no path (fewer than three vertices mark nothing).
EditOutcome ReversePaths(ToolpathDatabase& db, const ReverseParams& params, std::span<const ClientPoint> polygon = {},
                         const ViewState& view = {});

// "공구 경로 1개 방향 바꾸기": reverses the path that holds cutting record `record` (an index
// of the work buffer), with its traverse and approach, and rebuilds the rapid moves, so that
// the reversed path is entered from above its new start rather than by a slanted rapid move
// from the end of the path before.
EditOutcome ReverseOnePath(ToolpathDatabase& db, int record);

}  // namespace fendo
