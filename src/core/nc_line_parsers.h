#pragma once

#include <string_view>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

class ToolpathDatabase;
struct LayerSlot;

// What reading one line of NC text did.
enum class LineOutcome {
  Record,    // the block yields a record, which the cursor holds
  NoRecord,  // a block without motion (or a blank or comment line)
  Invalid,   // a word without a number: the block's modal changes stay, its motion is dropped
  OutOfReach,  // the block's end point lies beyond the coordinate limit: dropped as invalid
  Skipped,   // a feature the reader does not interpret: no record, the position does not move
             // (modal words written beside it, such as G00 on a G53 block, still count)
  RecordBesideSkipped,  // a record in the cursor, and beside it a feature the reader does not
                        // interpret (a Heidenhain cycle call on a positioning block)
  Expanded,     // the block's moves (a drilling cycle's) were appended to the work buffer
  StoreFailed,  // appending them failed: the work buffer is full or its memory could not be had
};

// The two dialects. Both read the line whole and treat its end as the end of the block.
LineOutcome ParseIsoLine(ToolpathDatabase& db, std::string_view line);
LineOutcome ParseHeidenhainLine(ToolpathDatabase& db, std::string_view line);

// The centre offset of an R arc from `start` to `end` in the reader's plane; an R shorter than
// half the chord (the arc centred on the chord) is counted.
Point3 RadiusCentreOffset(ToolpathDatabase& db, Point3 start, Point3 end, double radius, MoveKind kind);

// Ends a block read to its end: the reader moves from its position to `end` (the block's start
// and centre offset are kept for the arc that is stored), and when the block yields a record
// the cursor holds it: the end point with the modal feed and `kind`.
LineOutcome FinishBlock(ToolpathDatabase& db, Point3 end, Point3 centreOffset, MoveKind kind, bool yields);

// Appends the comments of a line, given as the text from the first opening parenthesis to the
// end of the last comment, to the layer's comment as one line.
void AddCommentLine(LayerSlot& layer, std::string_view fromParenthesis);

// A point no record can hold: a coordinate beyond the limit of ±32700 mm.
bool BeyondCoordinateLimit(Point3 p);

}  // namespace fendo
