#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"

namespace fendo {

class ToolpathDatabase;

// The fields of the dialog "FF CUT" with their defaults. The dialog keeps one of these for the
// whole run of the program; fendo-batch fills one from its flags.
struct FfCutOptions {
  int firstFeed = 1000;         // mm/min, 1차 공구경로 feed: the odd paths (1st, 3rd, …), 1 … 100000
  int secondFeed = 2000;        // mm/min, 2차 공구경로 feed: the even paths (2nd, 4th, …), 1 … 100000
  bool secondToLayer = false;   // 2차 공구경로 layer: the even paths go to secondLayer
  int secondLayer = 0;          // the layer they go to, 0 … 99
};

// The range check the dialog runs before it closes and fendo-batch before it acts: nothing
// when every value lies in its range (ends included).
std::optional<OptionOutOfRange> CheckRanges(const FfCutOptions& options);

// The ranges CheckRanges holds the numbers to, in the dialog's order: the dialog refuses a value
// on its own field with them.
std::span<const FieldRange<FfCutOptions>> FfCutRanges();

// Splits the work layer into two feed classes: the odd paths stay in the work layer at the
// first feed, and the even paths follow them at the second feed, behind the odd ones in the
// work layer or behind the records of secondLayer. Layers 100 and 101 hold the intermediate
// copies and are emptied again. False, with the layers and the work buffer as they were, when
// a value is out of range, the memory for a layer copy could not be had, or the joined layer
// would hold more records than the work buffer can take.
bool FfCut(ToolpathDatabase& db, const FfCutOptions& options);

}  // namespace fendo
