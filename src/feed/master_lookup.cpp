#include "feed/master_lookup.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace fendo {
namespace {

constexpr int kSteepest = 90;  // degrees: no wall is steeper, so the search can stop there
// A cell exactly `radius` away belongs to the disc even when radius / cellSize rounds down.
constexpr double kReachSlack = 1e-9;
// Cells; a reach beyond any grid, kept finite so that its square is a number.
constexpr double kFarthestReach = 1e150;

}  // namespace

int MasterWallAngle(const MasterModel& model, double x, double y, double z, double radius) {
  const double cell = model.cellSize;
  if (model.columns < 2 || model.rows < 2 ||
      model.cells.size() < static_cast<std::size_t>(model.columns) * static_cast<std::size_t>(model.rows) ||
      !(cell > 0) || !(radius >= 0) || std::isnan(x) || std::isnan(y)) {
    return 0;
  }
  // The snapped point, in cells from the origin.
  const double snapColumn = std::ceil((x - model.originX) / cell - 0.5);
  const double snapRow = std::ceil((y - model.originY) / cell - 0.5);
  const double reach = std::min(radius / cell * (1 + kReachSlack), kFarthestReach);
  // The window, cut to the grid without its margin (empty for a point at infinity).
  const double firstRow = std::max(1.0, std::ceil(snapRow - reach));
  const double lastRow = std::min(model.rows - 1.0, std::floor(snapRow + reach));
  const double firstColumn = std::max(1.0, std::ceil(snapColumn - reach));
  const double lastColumn = std::min(model.columns - 1.0, std::floor(snapColumn + reach));
  if (!(firstRow <= lastRow && firstColumn <= lastColumn)) return 0;

  int steepest = 0;
  for (int row = static_cast<int>(firstRow); row <= static_cast<int>(lastRow); ++row) {
    // The disc's span of this row, cut to the window: both ends are positive and fit an int,
    // so whole columns are had by truncation (the window's own ends are whole already).
    const double across = row - snapRow;
    const double half = std::sqrt(std::max(0.0, reach * reach - across * across));
    const double from = std::max(firstColumn, snapColumn - half);
    const double to = std::min(lastColumn, snapColumn + half);
    if (!(from <= to)) continue;
    const int first = static_cast<int>(from) + (static_cast<int>(from) < from);
    const int last = static_cast<int>(to);
    const MasterCell* cells = model.cells.data() + static_cast<std::size_t>(row) * model.columns;
    for (int column = first; column <= last; ++column) {
      // Without branches: whether a cell stands above the tool is as good as random.
      const int angle = cells[column].top > z ? cells[column].wallAngle : 0;
      steepest = std::max(steepest, angle);
    }
    if (steepest >= kSteepest) break;
  }
  return steepest;
}

}  // namespace fendo
