#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/option_range.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// "코너 분리": finding the corner regions of a program, where a path turns upward in its
// vertical profile (from a wall down onto a floor, from a floor up a wall): the stretches a
// larger tool left material in, which a rest machining pass goes back to.

// CCornerDlg's fields with their defaults, kept between uses.
struct CornerParams {
  double angle = 30;       // degrees, "코너검색 각도": a turn steeper than this is a corner, 0.01 … 90
  double distance = 10;    // mm, "코너 거리": how far a corner region reaches, 0.01 … 1000
  bool subdivide = false;  // "공구경로 세분화": subdivide the straight feed moves first
  double interval = 5;     // mm, the subdivision's interval, 0.1 … 1000
};

// The labels of the dialog, in its order.
inline constexpr std::string_view kCornerAngleLabel = "코너검색 각도";
inline constexpr std::string_view kCornerDistanceLabel = "코너 거리";
inline constexpr std::string_view kCornerSubdivideLabel = "공구경로 세분화";

// The first value out of its range, in the dialog's order.
std::optional<OptionOutOfRange> CheckCornerParams(const CornerParams& params);
std::span<const FieldRange<CornerParams>> CornerRanges();

// "코너 부위 선택": marks the corner regions selected (after subdividing when asked; arcs are
// never corners: the command turns them into straight moves first). Walking the paths, with
// A the angle and L the distance, for each straight Feed move into a record a:
// - the slope at a is the angle of the move against the XY plane (PlaneAngle of its Z and its
//   horizontal length, 0 … 360), taken from far enough back along the path (at least L / 10)
//   for a sloping move; a move that would need to reach back past its path's first cut is no
//   corner;
// - c is the last record before a (at least 3 records before it) from which the next record
//   lies within L of a, and the slope at c is taken over the move from c to the first record
//   more than L / 10 beyond it (none within the path: no corner);
// - when the path turns upward from c to a and the turn, folded into 0 … 180 degrees, exceeds
//   A, the records after c up to a are selected.
// No undo step when only the selection changes; one when the subdivision changed the records.
// Refused for a value out of range, NoRoom (nothing changed) when the pieces would not fit.
EditOutcome SelectCorners(ToolpathDatabase& db, const CornerParams& params);

// "코너부위를 트림한다.": the selection as SelectCorners makes it, inverted, then deleted as
// "선택된 공구경로 삭제" deletes (every selected move becomes a rapid move and the rapid moves
// are rebuilt): only the corner regions stay as cuts. One undo step.
EditOutcome TrimToCorners(ToolpathDatabase& db, const CornerParams& params, UndoStep undo = UndoStep::Push);

}  // namespace fendo
