// Profiles: outlines of a rectangle, a rounded rectangle or a circle, level by level.
#include "generate/profile.h"

#include <array>

#include "core/toolpath_database.h"
#include "generate/rectangle_loop.h"

namespace fendo {
namespace {

using Range = FieldRange<ProfileParams>;

constexpr std::array kRanges = {
    Range{"xSize", "X 크기", 0.1, 10000, [](const ProfileParams& p) { return p.rectangle.xSize; }},
    Range{"ySize", "Y 크기", 0.1, 10000, [](const ProfileParams& p) { return p.rectangle.ySize; }},
    Range{"cornerRadius", "코너반경", 0.1, 1000, [](const ProfileParams& p) { return p.cornerRadius; }},
    Range{"circleRadius", "원형 Pocket      반경", 0.1, 10000, [](const ProfileParams& p) { return p.circleRadius; }},
    Range{"xyStepover", "Stepoever", 0.1, 1000, [](const ProfileParams& p) { return p.xyStepover; }},
    Range{"zStepover", "Z Stepover", 0.1, 100, [](const ProfileParams& p) { return p.zStepover; }},
    Range{"allowance", "가공 여유", -1000, 1000, [](const ProfileParams& p) { return p.allowance; }},
    Range{"passes", "Profile 횟수", 1, 100, [](const ProfileParams& p) { return static_cast<double>(p.passes); }},
    Range{"taperAngle", "단일 taper", -80, 80, [](const ProfileParams& p) { return p.taper.angle; }},
    Range{"xPlusTaper", "X + taper", -80, 80, [](const ProfileParams& p) { return p.taper.xPlus; }},
    Range{"xMinusTaper", "X -  taper", -80, 80, [](const ProfileParams& p) { return p.taper.xMinus; }},
    Range{"yPlusTaper", "Y + taper", -80, 80, [](const ProfileParams& p) { return p.taper.yPlus; }},
    Range{"yMinusTaper", "Y -  taper", -80, 80, [](const ProfileParams& p) { return p.taper.yMinus; }},
};

// +1 where the passes step inward from the outline ("ON", "In side"), −1 outward.
double SideSign(ProfileSide side) { return side == ProfileSide::Outside ? -1 : 1; }

// One outline at height z: traverse above its start, plunge, the loop, retract. False when the
// offset leaves nothing of it.
bool Outline(GeneratedPath& path, const CentredRectangle& shape, double offset, double cornerRadius, double z) {
  const RectangleLoop loop{shape.cx, shape.cy, shape.sx / 2 - offset, shape.sy / 2 - offset, cornerRadius};
  if (loop.hx <= 0 || loop.hy <= 0) return false;
  const LoopPoint start = LoopStart(loop);
  path.RapidStartAbove(start.x, start.y);
  path.PlungeTo(start.x, start.y, z);
  CutLoop(path, loop);
  path.Retract();
  return true;
}

// The levels of every pass of a rectangular profile; how many outlines were left out.
int RectangleProfile(GeneratedPath& path, const ProfileParams& params, const ZLevels& levels, int firstPass) {
  const CentredRectangle entered = CentreAndSize(params.rectangle);
  const double sign = SideSign(params.side);
  int leftOut = 0;
  for (int p = firstPass; p <= (firstPass == 0 ? 0 : params.passes); ++p) {
    const double away = p * params.xyStepover + params.allowance;
    const double cornerRadius =
        params.shape == PocketShape::RoundedRectangle ? params.cornerRadius - sign * away : 0;
    for (int k = 0; k < levels.count() && !path.full(); ++k) {
      const LevelRectangle level = TaperedRectangle(entered, params.taper, levels.Depth(k), away, sign);
      leftOut += !Outline(path, level.shape, level.offset, cornerRadius, levels.Height(k));
    }
  }
  return leftOut;
}

// The levels of every pass of a circular profile, each pass from above the centre; how many
// circles were left out.
int CircleProfile(GeneratedPath& path, const ProfileParams& params, const ZLevels& levels, int firstPass) {
  const CentredRectangle entered = CentreAndSize(params.rectangle);
  const MoveKind direction = params.side == ProfileSide::Outside ? MoveKind::ArcCw : MoveKind::ArcCcw;
  int leftOut = 0;
  // The farthest pass first.
  for (int p = firstPass == 0 ? 0 : params.passes; p >= firstPass; --p) {
    bool started = false;
    for (int k = 0; k < levels.count() && !path.full(); ++k) {
      const double taper = SideOffset(params.taper.angle, levels.Depth(k), 0, 1);
      const double r = params.side == ProfileSide::On
                           ? params.circleRadius + taper
                           : params.circleRadius - SideSign(params.side) * (taper + p * params.xyStepover);
      if (r <= 0) {
        ++leftOut;
        continue;
      }
      if (!started) path.RapidStartAbove(entered.cx, entered.cy);
      started = true;
      path.RapidAbove(entered.cx + r, entered.cy);
      path.PlungeTo(entered.cx + r, entered.cy, levels.Height(k));
      path.ArcTo(direction, entered.cx + r, entered.cy, entered.cx, entered.cy);
      path.Retract();
    }
  }
  return leftOut;
}

}  // namespace

std::span<const FieldRange<ProfileParams>> ProfileRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckProfileParams(const ProfileParams& params) {
  return CheckFieldRanges<ProfileParams>(params, kRanges);
}

GenerateResult GenerateProfile(ToolpathDatabase& db, const ProfileParams& params) {
  if (CheckProfileParams(params)) return {.outcome = EditOutcome::Refused};
  const ZLevels levels = MakeZLevels(params.startHeight, params.zDepth, params.zStepover);
  // "ON" is the one pass on the outline; the sides have passes 1 … passes.
  const int firstPass = params.side == ProfileSide::On ? 0 : 1;
  GeneratedPath path(db, RoomBehind(db));
  const int leftOut = params.shape == PocketShape::Circle ? CircleProfile(path, params, levels, firstPass)
                                                          : RectangleProfile(path, params, levels, firstPass);
  return AppendGenerated(db, path, leftOut);
}

}  // namespace fendo
