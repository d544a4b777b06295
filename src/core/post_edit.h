#pragma once

namespace fendo {

class ToolpathDatabase;

// The clean-up steps that every command that changes records ends with. Commands delete a
// record by making it None and add records at the end of the buffer; these steps close the
// gaps, restore the kind conventions and put the rapid moves between paths into their standard
// form.

// Moves the motion records (each arc with the centre record behind it) down over the gaps;
// recordCount becomes the number kept.
void CompactRecords(ToolpathDatabase& db);

// Makes the first motion a RapidStart (and a linear move right after it a FeedStart), deletes
// linear moves of zero length, and sets every rapid and linear kind from the move before it.
// Arcs keep their end points: a helix (an arc that rises along the axis normal to its plane)
// stays a helix instead of being flattened to its start height.
void NormalizeKinds(ToolpathDatabase& db);

// Rewrites every rapid connection between paths as retract, traverse at safeZ, approach; then
// compacts and normalises. False, with nothing changed, when the result would not fit in the
// work buffer.
bool RebuildRapids(ToolpathDatabase& db);

}  // namespace fendo
