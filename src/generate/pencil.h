#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/option_range.h"
#include "edit/edit_commit.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// The labels of PencilDialog, "펜슬 공구경로 생성".
inline constexpr std::string_view kPencilTitle = "펜슬 공구경로 생성";
inline constexpr std::string_view kPencilAngleLabel = "    코너 검색           최소 각도";
inline constexpr std::string_view kPencilDeleteLengthLabel = "삭제 경로길이";
inline constexpr std::string_view kPencilMaxLinkLabel = "최대 연결거리";
inline constexpr std::string_view kPencilSeparateLabel = "상, 하향 구분";
inline constexpr std::string_view kPencilXyCornerLabel = "XY 코너";

// PencilDialog's fields with their defaults, kept between uses (32-bit as the dialog holds them).
struct PencilParams {
  float smallAngle = 15;        // degrees, "최소 각도": the least change of slope (or of XY heading)
                                // that makes a corner, 0.1 … 179
  float deleteLength = 4;       // mm, "삭제 경로길이": pencil paths shorter than this go, 0 … 100000
  float maxLink = 4;            // mm, "최대 연결거리": the longest move between corner points the
                                // tool cuts instead of lifting, 0.001 … 100000
  bool separateUpDown = true;   // "상, 하향 구분": no pencil path both climbs and descends
  bool xyCorner = false;        // "XY 코너": level moves turning in XY make corners too
};

// The first field, in the dialog's order, out of its range.
std::optional<OptionOutOfRange> CheckPencilParams(const PencilParams& params);
// The ranges of the numeric fields, for a help that quotes them.
std::span<const FieldRange<PencilParams>> PencilRanges();

// What the pencil command made.
struct PencilResult {
  EditOutcome outcome = EditOutcome::Unchanged;  // Unchanged: no pencil path (nothing changed)
  int corners = 0;  // corner points found (after merging those of one crossing and duplicates)
  int paths = 0;    // pencil paths in the result
};

// "펜슬": replaces the work buffer by pencil paths along the corners of its toolpath (see the
// essay in pencil.cpp). One undo snapshot (with UndoStep::Push); Refused for a value out of
// range, NoRoom when the result would pass the record limit, Unchanged when no pencil path is
// left: in each of those nothing changes. Progress texts go to `progress` when given.
PencilResult GeneratePencil(ToolpathDatabase& db, const PencilParams& params, Progress* progress = nullptr,
                            UndoStep undo = UndoStep::Push);

}  // namespace fendo
