#pragma once

#include <optional>

#include "core/option_range.h"
#include "edit/edit_outcome.h"
#include "edit/record_list.h"

namespace fendo {

class ToolpathDatabase;

// "포인트 세분화": the interval asked under the caption "세분화 간격" (COneValueDlg), kept
// between uses. A dialog that finds it 0 sets it to kDefaultSubdivisionInterval before it opens.
inline constexpr std::string_view kSubdivisionCaption = "세분화 간격";
inline constexpr double kDefaultSubdivisionInterval = 2;  // mm
struct SubdivisionParams {
  double interval = kDefaultSubdivisionInterval;  // mm, h: above 0, at most 10000

  // What the dialog shows when it opens: a kept 0 becomes the default.
  void PresetForDialog() {
    if (interval == 0) interval = kDefaultSubdivisionInterval;
  }
};

// Refuses an interval of 0 or less (or NaN): no move can be cut into pieces of no length.
std::optional<OptionOutOfRange> CheckSubdivisionParams(const SubdivisionParams& params);

// Cuts every straight feed move longer than h (strictly) into ⌊length / h⌋ + 1 equal pieces;
// the first piece keeps the move's kind, the others are Feed moves, all with its feed. Rapid
// moves and arcs stay whole. One undo snapshot; Refused for an interval CheckSubdivisionParams
// refuses, NoRoom (nothing changed) when the pieces would pass the record limit.
EditOutcome Subdivide(ToolpathDatabase& db, const SubdivisionParams& params);

// The cutting of Subdivide on a list of records (as CompactedRecords gives them), for an edit
// that subdivides before it goes on: the list with its pieces, or nothing when they would pass
// the record limit.
std::optional<RecordList> SubdividedRecords(const RecordList& records, double h);

}  // namespace fendo
