// Pockets: rectangles, rounded rectangles and circles cleared from the centre outward.
#include "generate/pocket.h"

#include <algorithm>
#include <array>

#include "core/toolpath_database.h"
#include "generate/rectangle_loop.h"
#include "generate/stepover_count.h"

namespace fendo {
namespace {

using Range = FieldRange<PocketParams>;

constexpr std::array kRanges = {
    Range{"xSize", "X 크기", 0.1, 10000, [](const PocketParams& p) { return p.rectangle.xSize; }},
    Range{"ySize", "Y 크기", 0.1, 10000, [](const PocketParams& p) { return p.rectangle.ySize; }},
    Range{"cornerRadius", "코너반경", 0.1, 1000, [](const PocketParams& p) { return p.cornerRadius; }},
    Range{"circleRadius", "원형 Pocket       반경", 0.1, 10000, [](const PocketParams& p) { return p.circleRadius; }},
    Range{"xyStepover", "XY Stepoever", 0.1, 1000, [](const PocketParams& p) { return p.xyStepover; }},
    Range{"zStepover", "Z Stepover", 0.1, 10000, [](const PocketParams& p) { return p.zStepover; }},
    Range{"allowance", "가공 여유", -100, 100, [](const PocketParams& p) { return p.allowance; }},
    Range{"taperAngle", "단일 taper", 0, 80, [](const PocketParams& p) { return p.taper.angle; }},
    Range{"xPlusTaper", "X + taper", -80, 80, [](const PocketParams& p) { return p.taper.xPlus; }},
    Range{"xMinusTaper", "X -  taper", -80, 80, [](const PocketParams& p) { return p.taper.xMinus; }},
    Range{"yPlusTaper", "Y + taper", -80, 80, [](const PocketParams& p) { return p.taper.yPlus; }},
    Range{"yMinusTaper", "Y -  taper", -80, 80, [](const PocketParams& p) { return p.taper.yMinus; }},
};

// One level of a rectangular pocket: loops from the centre out to the half sizes hx, hy, one
// stepover apart, all with their corners about the corner centres of the outermost loop.
// False when the level has nothing to cut.
bool RectangleLevel(GeneratedPath& path, const CentredRectangle& shape, double offset, double cornerRadius,
                    double stepover, double z) {
  const double hx = shape.sx / 2 - offset;
  const double hy = shape.sy / 2 - offset;
  const double m = std::min(hx, hy);
  if (m <= 0) return false;
  const int n = StepCount(m, stepover);
  const double d = m / n;
  path.RapidStartAbove(shape.cx, shape.cy);
  path.PlungeTo(shape.cx, shape.cy, z);
  for (int j = 1; j <= n && !path.full(); ++j) {
    const double shrink = m - j * d;
    const RectangleLoop loop{shape.cx, shape.cy, hx - shrink, hy - shrink, cornerRadius - shrink};
    const LoopPoint start = LoopStart(loop);
    path.FeedTo(start.x, start.y);
    CutLoop(path, loop);
  }
  path.Retract();
  return true;
}

// One level of a circular pocket: full counter-clockwise circles out to radius r.
bool CircleLevel(GeneratedPath& path, double cx, double cy, double r, double stepover, double z) {
  if (r <= 0) return false;
  const int m = StepCount(r, stepover);
  const double d = r / m;
  path.RapidStartAbove(cx, cy);
  path.PlungeTo(cx, cy, z);
  for (int j = 1; j <= m && !path.full(); ++j) {
    path.FeedTo(cx + j * d, cy);
    path.ArcTo(MoveKind::ArcCcw, cx + j * d, cy, cx, cy);
  }
  path.Retract();
  return true;
}

}  // namespace

std::span<const FieldRange<PocketParams>> PocketRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckPocketParams(const PocketParams& params) {
  return CheckFieldRanges<PocketParams>(params, kRanges);
}

PocketParams PocketFieldsAfterRun(const PocketParams& params) {
  if (params.shape == PocketShape::Circle) return params;
  PocketParams after = params;
  const CentredRectangle r = CentreAndSize(params.rectangle);
  after.rectangle.xCentre = r.cx;
  after.rectangle.yCentre = r.cy;
  after.rectangle.xSize = r.sx;
  after.rectangle.ySize = r.sy;
  if (params.shape == PocketShape::Rectangle) after.rectangle.form = ShapeForm::CentreSize;
  return after;
}

GenerateResult GeneratePocket(ToolpathDatabase& db, const PocketParams& params) {
  if (CheckPocketParams(params)) return {.outcome = EditOutcome::Refused};
  const ZLevels levels = MakeZLevels(params.startHeight, params.zDepth, params.zStepover);
  const CentredRectangle entered = CentreAndSize(params.rectangle);
  GeneratedPath path(db, RoomBehind(db));
  int leftOut = 0;
  for (int k = 0; k < levels.count() && !path.full(); ++k) {
    bool cut = false;
    if (params.shape == PocketShape::Circle) {
      const double r = params.circleRadius - SideOffset(params.taper.angle, levels.Depth(k), params.allowance, 1);
      cut = CircleLevel(path, entered.cx, entered.cy, r, params.xyStepover, levels.Height(k));
    } else {
      const LevelRectangle level = TaperedRectangle(entered, params.taper, levels.Depth(k), params.allowance, 1);
      const double cornerRadius =
          params.shape == PocketShape::RoundedRectangle ? params.cornerRadius - level.offset : 0;
      cut = RectangleLevel(path, level.shape, level.offset, cornerRadius, params.xyStepover, levels.Height(k));
    }
    leftOut += !cut;
  }
  return AppendGenerated(db, path, leftOut);
}

}  // namespace fendo
