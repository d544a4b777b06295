#pragma once

#include "config/layer_colours.h"
#include "core/view_state.h"
#include "view/line_batch.h"
#include "view/view_options.h"

namespace fendo {

class ToolpathDatabase;

// Draws the toolpaths of slots 0..254 in order: the work layer from the work buffer, every
// other slot that is switched on from its stored records.
//
// Each layer is walked in index order with the pen up at its start. Only motion records draw;
// a record more than 30000 pixels from the centre is passed over without moving the pen.
// While the pen is up, a rapid move of the work layer (kind 2) is rewritten as the start of a
// rapid run (kind 1) in the database, and in another layer every record but a linear feed is
// drawn as one; a rapid-run start with the pen up only puts the pen down there.
//  - Rapid moves: the dashed rapid pen, a line while rapid moves are shown, else a move.
//  - Linear feeds: a line in the feed band pen of the record's feed against workFeed, or the
//    selection pen; with colourByLayer, in the layer's colour (selection not shown).
//  - Arcs: as linear feeds (a selected arc in the axis pen with colourByLayer), drawn as a
//    polyline from the previous motion point through n − 1 points of the arc rule, n being
//    int(arc length × scale / 3 + 1): a chord about every 3 pixels.
// After the work layer, workFeed becomes the highest feed of its cutting records when that is
// above 1, and the layers after it are coloured by that.
void DrawToolpaths(LineBatch& lines, ToolpathDatabase& db, const ViewState& view, const ViewOptions& options,
                   const LayerColours& colours);

}  // namespace fendo
