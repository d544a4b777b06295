#pragma once

#include <string_view>

#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// "등고선 공구경로 닫기": closes the contour rings of a program, paths that end at the height
// they start at. A path runs from its approach s (the motion record before its FeedStart) to
// its end e (the motion record before the next rapid record); it is a ring when its FeedStart
// and e lie less than 0.01 mm apart in Z, and its gap is the distance from s to e.

// The caption of the one value asked (COneValueDlg).
inline constexpr std::string_view kContourGapCaption = "최소 간격 ";

// The value the command offers: the largest gap of the rings with more than 10 records after
// their approach; 0 when there is none (the command then stops without asking).
double LargestRingGap(ToolpathDatabase& db);

// Every ring whose gap lies below `gap` + 0.01 is rewritten to start at its own end: a rapid
// move above e at the retract height, down to e, then its cuts from the FeedStart to e, so the
// first cut runs from e to where the ring began and closes it. Its approach s goes; the rapid
// moves that lead to it stay, so the tool still arrives at the retract height. Every other
// path, and every rapid move between paths, is copied as it was. The kinds are normalised.
// One undo step; Unchanged when no ring is closed, NoRoom (nothing changed) when the added
// rapid moves would pass the record limit.
EditOutcome CloseContours(ToolpathDatabase& db, double gap);

}  // namespace fendo
