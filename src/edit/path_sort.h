#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// The radio buttons of CSortDlg.
enum class SortMode {
  StartToStart,  // "방향유지, 시작점-시작점": from the start of one path to the start of the next
  EndToStart,    // "방향유지, 시작점-끝점": from the end of one path to the start of the next
  EitherEnd,     // "방향무시": a path may be entered from either end
  ReturnHeight,  // "정렬거리내 복귀높이 ": the order stays; close paths are joined lower
};

// The return height that makes the tool feed straight across from one path to the next.
inline constexpr double kFeedAcross = -1;

// CSortDlg ("공구경로 정렬"): its fields with their defaults, kept between uses.
struct SortParams {
  SortMode mode = SortMode::StartToStart;
  double distance = 5;  // mm, "정렬 거리": 0 … 10000
  double height = 10;   // mm, "복귀 높이": 0 … 10000, or −1 (kFeedAcross)
};

// The first value out of its range.
std::optional<OptionOutOfRange> CheckSortParams(const SortParams& params);
// The ranges of the numeric fields, for a help that quotes them.
std::span<const FieldRange<SortParams>> SortRanges();

// The farthest a path is looked for from the one placed before it, mm.
inline constexpr double kSortSearchBound = 1000;

// Re-orders the paths of the work buffer to shorten the rapid moves between them.
// Modes 1–3, greedily: the first path stays first; then, from the path placed last, the nearest
// path not yet placed (within the sort distance and the search bound; on equal distances the
// one that came first) comes next, or, when none lies that near, the next path of the old
// order. Start to start measures between the paths' approach points; end to start from the end
// of the last path placed; "방향무시" measures the start and end of each candidate from the
// start and the end of the last path placed and reverses a candidate reached at the end it
// would be cut from. Each path is then written with a rapid move above its approach point at
// safeZ, its approach, its records, and a retract to safeZ above its last record.
// Mode 4 keeps the order: between two consecutive paths whose gap is below the sort distance,
// the rapid moves above the return height over the higher of the two ends are brought down to
// it (with a height of 0 the tool feeds across), or with −1 the moves between them are dropped
// and the tool feeds from the end of one path to the approach of the next.
// Every cutting move is kept. One undo snapshot; Refused for a value out of range, NoRoom when
// the result would pass the record limit, Unchanged for a program without paths.
EditOutcome SortPaths(ToolpathDatabase& db, const SortParams& params);

}  // namespace fendo
