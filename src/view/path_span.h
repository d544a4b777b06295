#pragma once

#include <optional>

namespace fendo {

class ToolpathDatabase;

// A path as the user picks it: the run of cutting records between two rapid runs. `first` is
// its first cutting record (the one the approach leads into); `end` is the rapid record after
// it, or recordCount for the last path. Centre and None records inside belong to the range.
struct PathSpan {
  int first = 0;
  int end = 0;
  friend bool operator==(const PathSpan&, const PathSpan&) = default;
};

// The path that holds cutting record i: from the first motion record after the nearest rapid
// record before i (the first motion record when no rapid precedes it) up to the next rapid
// record after i.
PathSpan PathAround(ToolpathDatabase& db, int i);

// The path that a picked motion record stands for: its own path for a cutting record; for a
// rapid record the path its rapid run leads into, or the path before it at the end of the
// program. Nothing when the program has no cutting record there.
std::optional<PathSpan> PathOfRecord(ToolpathDatabase& db, int i);

// The path after the rapid run that follows `path`, and the one before the rapid run that
// precedes it; nothing at either end of the program.
std::optional<PathSpan> NextPath(ToolpathDatabase& db, const PathSpan& path);
std::optional<PathSpan> PreviousPath(ToolpathDatabase& db, const PathSpan& path);

}  // namespace fendo
