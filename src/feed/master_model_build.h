#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/option_range.h"
#include "feed/master_model.h"

namespace fendo {

class Progress;
class ToolpathDatabase;
class UserPrompts;

// The fields of the "Master Model" dialog with their defaults. The view keeps one of these
// for its whole life; fendo-batch fills one from its flags.
struct MasterModelInputs {
  double toolDiameter = 10.0;   // mm, 공구 직경, 0.01 … 1000
  double stockAllowance = 0.0;  // mm, 가공 여유: left on every side of the part, 0 … 100
  double tolerance = 1.0;       // mm, 마스터 모델 공차: the cell size of the model, 0.001 … 100
};

// The range check the dialog runs before it closes and fendo-batch before it builds: nothing
// when every value lies in its range (ends included).
std::optional<OptionOutOfRange> CheckRanges(const MasterModelInputs& inputs);

// The ranges CheckRanges holds the numbers to, in the dialog's order.
std::span<const FieldRange<MasterModelInputs>> MasterModelInputRanges();

enum class MasterBuildStatus {
  Built,
  OutOfRange,     // an input lies outside its range: nothing was built
  TooFewRecords,  // the toolpath has fewer than 5 records: nothing was built
  NoFeedMoves,    // the toolpath has no linear feed move: nothing was built
  OutOfMemory,    // the cells could not be had (or would be absurdly many): nothing was built
};

struct MasterBuildResult {
  MasterBuildStatus status = MasterBuildStatus::Built;
  std::string reason;  // why nothing was built, in words for fendo-batch
  MasterModel model;   // the built model (present = 1); an empty model when nothing was built
  int fineness = 0;    // working cells per model cell along each axis (5 unless the part is large)

  bool ok() const { return status == MasterBuildStatus::Built; }
};

// Builds the master model of the work buffer's toolpath, the finished part as the tool tip
// traced it. The records are only read (through the database's walk, which retires records
// beyond the coordinate limit as every read does); none is moved, and clearing the toolpath
// after a successful build is the caller's step. Running out of memory is told through `prompts`
// ("Memory를 할당할 수 없습니다!!!", caption " Message"); the other failures only through the result.
MasterBuildResult BuildMasterModel(ToolpathDatabase& db, const MasterModelInputs& inputs, UserPrompts& prompts,
                                   Progress* progress = nullptr);

}  // namespace fendo
