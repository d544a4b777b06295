#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/option_range.h"
#include "edit/edit_commit.h"

namespace fendo {

class ToolpathDatabase;

// Deleting by length: single moves ("길이에 의한 포인트") or whole paths ("길이에 의한 경로").
// Deleted moves become rapid moves and the rapid moves are rebuilt.

// The labels of the two one-value dialogs.
inline constexpr std::string_view kPointLengthLabel = " 삭제 길이 ";
inline constexpr std::string_view kPathLengthLabel = "삭제 경로길이";

// "길이에 의한 포인트" (COneValueDlg); fendo-batch fills it from --delete-points-longer L.
struct PointLengthDeleteOptions {
  double length = 50;  // mm, 0.001 … 100000: a move at least this long is deleted
};

// "길이에 의한 경로" (COneValueDlg); fendo-batch fills it from --delete-paths-shorter L.
struct PathLengthDeleteOptions {
  double length = 50;  // mm, 0 … 100000: a path shorter than this is deleted
};

// The range checks of the dialogs and of fendo-batch: nothing when the value lies in its range.
std::optional<OptionOutOfRange> CheckRanges(const PointLengthDeleteOptions& options);
std::optional<OptionOutOfRange> CheckRanges(const PathLengthDeleteOptions& options);
std::span<const FieldRange<PointLengthDeleteOptions>> PointLengthDeleteRanges();
std::span<const FieldRange<PathLengthDeleteOptions>> PathLengthDeleteRanges();

// Every move at least `length` long (an arc by its length along the arc, every rapid move)
// becomes a rapid move; then the kinds are normalised, the records compacted and the rapid
// moves rebuilt, so the tool is lifted before each such move and comes down after it.
EditOutcome DeletePointsByLength(ToolpathDatabase& db, const PointLengthDeleteOptions& options,
                                 UndoStep undo = UndoStep::Push);

// Every path (from the motion record before its first straight cutting move to its last
// cutting move) whose moves add up to less than `length` becomes rapid moves, and the rapid
// moves are rebuilt. The search ends at the last path that a rapid move follows before the
// second-to-last record: the paths after it are never deleted.
EditOutcome DeletePathsByLength(ToolpathDatabase& db, const PathLengthDeleteOptions& options,
                                UndoStep undo = UndoStep::Push);

}  // namespace fendo
