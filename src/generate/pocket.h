#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "generate/generated_path.h"
#include "generate/rectangle_shape.h"
#include "generate/z_levels.h"

namespace fendo {

class ToolpathDatabase;

// The shape of a pocket or a profile.
enum class PocketShape {
  Rectangle = 1,         // "사각형"
  RoundedRectangle = 2,  // "라운드 사각형"
  Circle = 3,            // "원형"
};

// PocketDialog ("Pocket ")'s fields with their defaults, kept between uses.
struct PocketParams {
  PocketShape shape = PocketShape::Rectangle;
  RectangleFields rectangle = {};
  double cornerRadius = 20;   // mm, "코너반경": 0.1 … 1000
  double circleRadius = 100;  // mm, "원형 Pocket       반경": 0.1 … 10000
  double xyStepover = 10;     // mm, "XY Stepoever": 0.1 … 1000
  double zStepover = 10;      // mm, "Z Stepover": 0.1 … 10000
  double startHeight = 0;     // mm, "시작 높이"
  double zDepth = -50;        // mm, "Z 깊이"
  double allowance = 0;       // mm, "가공 여유": −100 … 100
  TaperFields taper = {};         // angle 0 … 80, sides −80 … 80
};

// The first field out of its range, in the dialog's order.
std::optional<OptionOutOfRange> CheckPocketParams(const PocketParams& params);
std::span<const FieldRange<PocketParams>> PocketRanges();

// Appends a pocket behind the work buffer's records: at each Z level (from the start height
// down) the tool plunges at the centre and clears outward in counter-clockwise loops (full
// circles for a circular pocket), one stepover apart, up to the outline less the allowance and
// the taper; then it retracts. A level whose outline the offsets shrink to nothing is left out.
GenerateResult GeneratePocket(ToolpathDatabase& db, const PocketParams& params);

// The values the pocket dialog shows after a pocket: a rectangle's as its centre and size, in
// the form "중심, 크기"; a rounded rectangle's centre and size from its form, which it keeps; a
// circle's as they were.
PocketParams PocketFieldsAfterRun(const PocketParams& params);

}  // namespace fendo
