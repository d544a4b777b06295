#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "generate/generated_path.h"
#include "generate/pocket.h"

namespace fendo {

class ToolpathDatabase;

// Where a profile runs against the entered outline ("<< 방향 >>").
enum class ProfileSide {
  On = 1,       // "ON": on the outline
  Inside = 2,   // "In side": passes one stepover apart inside it, the farthest first
  Outside = 3,  // "Out side": passes outside it
};

// ProfileDialog ("Profile Dialog")'s fields with their defaults, kept between uses.
struct ProfileParams {
  PocketShape shape = PocketShape::Rectangle;  // "사각형", "라운드 사각형", "원형"
  ProfileSide side = ProfileSide::On;
  RectangleFields rectangle = {};
  double cornerRadius = 20;   // mm, "코너반경": 0.1 … 1000
  double circleRadius = 100;  // mm, "원형 Pocket      반경": 0.1 … 10000
  double xyStepover = 10;     // mm, "Stepoever": 0.1 … 1000
  double zStepover = 10;      // mm, "Z Stepover": 0.1 … 100
  double startHeight = 0;     // mm, "시작 높이"
  double zDepth = -50;        // mm, "Z 깊이"
  double allowance = 0;       // mm, "가공 여유": −1000 … 1000
  int passes = 1;             // "Profile 횟수": 1 … 100
  TaperFields taper = {};         // angle −80 … 80, sides −80 … 80
};

std::optional<OptionOutOfRange> CheckProfileParams(const ProfileParams& params);
std::span<const FieldRange<ProfileParams>> ProfileRanges();

// Appends a profile behind the work buffer's records: for each pass (from the outline outward
// or inward, one stepover apart) each Z level is one counter-clockwise outline (a clockwise
// circle outside a circular profile), entered from above its start and left by a retract. The
// allowance moves a rectangle's outline; a circle's outline is the radius as entered. A level
// whose outline the offsets shrink to nothing is left out.
GenerateResult GenerateProfile(ToolpathDatabase& db, const ProfileParams& params);

}  // namespace fendo
