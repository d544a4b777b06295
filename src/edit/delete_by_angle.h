#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/option_range.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// Deleting straight cutting moves by their direction: in the XY plane ("XY 각도") or against
// it ("Z 각도"). A deleted move becomes a rapid move, and the rapid moves are rebuilt, so the
// tool leaves the part straight up before the deleted stretch, crosses it at the retract
// height and comes down where the next kept cut begins.

// The labels of the two dialogs, in their order.
inline constexpr std::string_view kXyAngleLabel = " 각도 ";
inline constexpr std::string_view kXyAngleToleranceLabel = " 각도 공차 ";
inline constexpr std::string_view kSlopeMinLabel = " 최소 면각도 ";
inline constexpr std::string_view kSlopeMaxLabel = " 최대 면각도 ";
inline constexpr std::string_view kSlopeIgnoreLabel = "삭제 무시 길이";

// The fields of "XY 각도" (CTwoValueDlg). The program keeps one for its whole run; fendo-batch
// fills one from --delete-xy-angle A --tol T.
struct XyAngleDeleteOptions {
  double angle = 90;      // degrees from +X towards +Y, -360 … 360
  double tolerance = 10;  // degrees, 0 … 360: a move is deleted when its direction lies closer than this
};

// The fields of "Z 각도" (CThreeValueDlg); fendo-batch fills one from --delete-slope MIN MAX
// --ignore L.
struct SlopeDeleteOptions {
  double minAngle = 0;       // degrees above the XY plane, 0 … 90
  double maxAngle = 30;      // degrees above the XY plane, 0 … 90
  double ignoreLength = 4;   // mm, 0 … 100000: a stretch to delete no longer than this stays
};

// The range checks the dialogs run before they close and fendo-batch before it acts: nothing
// when every value lies in its range (ends included); the tables give them field by field.
std::optional<OptionOutOfRange> CheckRanges(const XyAngleDeleteOptions& options);
std::optional<OptionOutOfRange> CheckRanges(const SlopeDeleteOptions& options);
std::span<const FieldRange<XyAngleDeleteOptions>> XyAngleDeleteRanges();
std::span<const FieldRange<SlopeDeleteOptions>> SlopeDeleteRanges();

// Every straight cutting move that is not vertical and whose XY direction D (degrees, 0 … 360)
// lies within the tolerance T of the angle A, A + 180 or A + 360 (|A − D| < T and so on)
// becomes a rapid move; then the kinds are normalised and the rapid moves rebuilt. Only those
// three are compared: with A = 350 a move at D = 170 stays.
EditOutcome DeleteByXyAngle(ToolpathDatabase& db, const XyAngleDeleteOptions& options,
                            UndoStep undo = UndoStep::Push);

// Every straight cutting move whose slope against the XY plane (0 level … 90 vertical, up or
// down alike) lies between the two angles is marked; each run of consecutive marked moves
// longer in all than the ignore length becomes rapid moves, shorter runs stay cuts. Then the
// rapid moves are rebuilt. Every move that stays keeps its own feed.
EditOutcome DeleteBySlope(ToolpathDatabase& db, const SlopeDeleteOptions& options, UndoStep undo = UndoStep::Push);

}  // namespace fendo
