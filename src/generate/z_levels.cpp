#include "generate/z_levels.h"

#include <cmath>

#include "core/angle_units.h"

namespace fendo {

ZLevels MakeZLevels(double startHeight, double zDepth, double zStepover) {
  const double height = startHeight - zDepth;
  int n = height > 0 ? static_cast<int>(height / zStepover) : 0;
  if (n * zStepover < height) ++n;
  return {startHeight, n > 0 ? height / n : 0, n};
}

double SideOffset(double angle, double depth, double extra, double sign) {
  return sign * (std::tan(angle * kRadiansPerDegree) * depth + extra);
}

LevelRectangle TaperedRectangle(const CentredRectangle& entered, const TaperFields& taper, double depth, double extra,
                                double sign) {
  if (taper.single) return {entered, SideOffset(taper.angle, depth, extra, sign)};
  const double xPlus = SideOffset(taper.xPlus, depth, extra, sign);
  const double xMinus = SideOffset(taper.xMinus, depth, extra, sign);
  const double yPlus = SideOffset(taper.yPlus, depth, extra, sign);
  const double yMinus = SideOffset(taper.yMinus, depth, extra, sign);
  const CentredRectangle moved{entered.cx + (xMinus - xPlus) / 2, entered.cy + (yMinus - yPlus) / 2,
                               entered.sx - (xMinus + xPlus), entered.sy - (yMinus + yPlus)};
  return {moved, 0};
}

}  // namespace fendo
