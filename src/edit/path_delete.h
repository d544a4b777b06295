#pragma once

namespace fendo {

class ToolpathDatabase;

// Deleting every second path. A path here is a run of cutting moves; the runs of rapid moves
// between them carry the tool from one to the next. A deleted stretch takes the rapid moves
// that lead to its path, the path, and the first rapid move after it (the retract); so what
// stays joins up by rapid moves: the retract after a kept path, then the moves that lead to
// the next kept one. Deleted records become None; nothing is compacted or rebuilt.

// Keeps the first path and deletes the second, the fourth, … ("중간 경로").
void DeleteMiddlePaths(ToolpathDatabase& db);

// Deletes the first path, the third, …, from the first motion record on (keeping that record
// when it is a rapid move, the program's starting position), and keeps the second, the
// fourth, ….
void DeleteOddPaths(ToolpathDatabase& db);

}  // namespace fendo
