#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "generate/generated_path.h"
#include "generate/rectangle_shape.h"

namespace fendo {

class ToolpathDatabase;

// The direction of a facing pattern ("<< 방향 >>"), by its labels.
enum class FaceDirection {
  XPlusYPlus = 1,   // "X+, Y+"
  XPlusYMinus = 2,  // "X+, Y-"
  YPlusXPlus = 3,   // "Y+,  X+"
  YPlusXMinus = 4,  // "Y+,  X-"
};

// The signs a direction cuts and steps with: along X for the first two, along Y for the other
// two. The labels do not read as the signs do; the table is what the machines have always run.
struct FaceSigns {
  int x;  // +1: the passes (or the steps) go towards +X
  int y;
};
FaceSigns FaceDirectionSigns(FaceDirection direction);

// FaceDialog ("FaceMill")'s fields with their defaults, kept between uses.
struct FaceParams {
  RectangleFields rectangle = {};  // min, max and centre −10000 … 10000, sizes 0.1 … 10000
  FaceDirection direction = FaceDirection::XPlusYPlus;
  double stepover = 10;      // mm, "Stepoever": 0.1 … 1000
  double cuttingHeight = 0;  // mm, "시작 높이": −10000 … 10000
};

std::optional<OptionOutOfRange> CheckFaceParams(const FaceParams& params);
std::span<const FieldRange<FaceParams>> FaceRanges();

// Appends a facing pattern behind the work buffer's records: straight one-way passes across the
// rectangle at the cutting height, each entered from above its start and left by a retract, one
// stepover or less apart, from one edge to the opposite one. A rectangle of no width or height
// (its maximum at or below its minimum) makes no pass.
GenerateResult GenerateFace(ToolpathDatabase& db, const FaceParams& params);

}  // namespace fendo
