#pragma once

#include "feed/master_model.h"

namespace fendo {

// The wall the tool meets at (x, y, z) (mm, world coordinates): the largest wall angle
// (degrees) of the master model's cells that stand above z near the point, 0 when none does.
//
// The point is snapped to the nearest grid line in X and in Y, measured from the model's
// origin (a point half way between two lines goes to the lower one). A cell is near when the
// grid point it stands for (column × cellSize, row × cellSize from the origin, which its
// height was sampled nearest to) lies within `radius` of the snapped point: a disc around
// the tool, inside the window of rows and columns within `radius` of it. Row 0 and column 0,
// the margin of the grid, are never looked at.
//
// The cost is the number of cells in the disc, about 3.14 × (radius / cellSize)², read row
// by row. Points far outside the grid, coordinates that are not numbers, a negative radius and
// a model of fewer than two rows or columns give 0 without reading a cell.
int MasterWallAngle(const MasterModel& model, double x, double y, double z, double radius);

}  // namespace fendo
