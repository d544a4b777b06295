#pragma once

#include "core/point3.h"

namespace fendo {

class ToolpathDatabase;

// The reader starts at its last position (0, 0, 0 for a new work buffer), but a program that
// moves before it states an axis (G00 X.. Y.. before G43 Z50) does not mean that height: the
// machine is wherever the program's first statement of the axis puts it. So while a file that
// starts the work buffer has axes it has not stated, each block that names axes calls this:
// `absolute` the axes (kAxisX …) it sets to their values in `end`, `incremental` those it moves
// by an increment. An axis first set absolutely after the file has moved is given its value in
// every record stored so far and in `start` (the block's start) and the reader's position; the
// file's LateAxes say so. An incremental word states the axis as it is (a move from wherever
// the tool stands).
void NoteStatedAxes(ToolpathDatabase& db, unsigned absolute, unsigned incremental, Point3 end, Point3& start);

}  // namespace fendo
