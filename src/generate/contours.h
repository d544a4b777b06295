#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// ContourDialog, "등고선 변수를 입력하시요!!!": its fields with their defaults and ranges. One
// lives with the view, so the values stay between uses; the command presets the heights and
// the start point from the program each time (ContourPresets).
struct ContourParams {
  double topZ = 0;      // mm, "최대 높이": −10000 … 10000
  double bottomZ = 0;   // mm, "최저 높이": −10000 … 10000
  double zSpacing = 4;  // mm, "등고선 Z 간격": 0.001 … 10000 (zero or less cuts nothing)
  double startX = 0;    // mm, "시작점 X좌표": −10000 … 10000
  double startY = 0;    // mm, "시작점 Y좌표": −10000 … 10000
  double maxLink = 4;   // mm, "최대 연결거리": the largest gap a contour bridges cutting, 0.001 … 1000
};

// The first field, in the dialog's order, out of its range.
std::optional<OptionOutOfRange> CheckContourParams(const ContourParams& params);
// The ranges of every field, for a help that quotes them.
std::span<const FieldRange<ContourParams>> ContourRanges();

// The values the command gives the dialog from the program: topZ and bottomZ the highest and
// lowest Z of the linear feed records, startX and startY where the lowest lies (of records at
// the same height, the last); the spacing and link distance stay as `params` has them. Nothing
// when the program has no linear feed record.
std::optional<ContourParams> ContourPresets(ToolpathDatabase& db, const ContourParams& params);

// "등고선 공구경로 생성": replaces the work buffer by Z-level contours of its path. Planes at
// topZ − k · zSpacing (k = 1, 2, … down to bottomZ) cut the linear feed moves (arcs are not
// cut: the command turns them into straight moves first); the cut points of each plane are
// linked by nearest neighbour from the start point into paths whose points lie at most maxLink
// apart, and each path is written with a rapid move at safeZ above its start, a plunge, its
// cuts (back to its start when it closes) and a retract; planes follow from the top down.
// Progress is told "Processing(%d/%d). " while slicing, then " 도움말: 툴패스를 정렬중
// 입니다." and "Sorting(%6.2f / %6.2f). " with each plane's height while linking.
// One undo snapshot, then the result replaces the records whole. Refused for a value out of
// range; Unchanged (no snapshot) when no plane makes a contour (nothing is cut, or only lone
// points); NoRoom, with nothing changed, when the result would pass the record limit.
EditOutcome GenerateContours(ToolpathDatabase& db, const ContourParams& params, Progress* progress = nullptr);

}  // namespace fendo
