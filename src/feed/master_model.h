#pragma once

#include <cstdint>
#include <vector>

namespace fendo {

// One cell of the master model: the toolpath point that represents it, its height, and the
// steepest wall it stands on (degrees, 0..90). An empty cell holds kEmpty in x, y and top. A
// built model keeps x and y measured from the model's origin (mm); a model read from a file
// has no points, only heights (x and y stay kEmpty).
struct MasterCell {
  static constexpr float kEmpty = -9999.0f;
  float x = kEmpty;
  float y = kEmpty;
  float top = kEmpty;
  std::int16_t wallAngle = 0;

  bool empty() const { return top == kEmpty; }
};
static_assert(sizeof(MasterCell) == 16);

// The most cells a master model may have, in building (16 bytes a working cell: 512 MiB) and
// in reading a file: a larger grid is refused as more than the memory can hold.
inline constexpr std::int64_t kMaxMasterCells = std::int64_t{1} << 25;

// A height grid over the XY extent of a reference toolpath (the finished part): where the
// stock ahead of the tool stands higher than the tool, the optimizer slows down. The header
// fields are those of the *.mma file, in its order.
struct MasterModel {
  double originX = 0;  // world position of cell (0, 0)
  double originY = 0;
  double minZ = 0;
  double extentX = 0;  // largest X and Y of the source toolpath, measured from the origin
  double extentY = 0;
  double maxZ = 0;
  double toolSize = 0;  // tool diameter + 2 x stock allowance
  double cellSize = 0;
  std::int32_t cellCount = 0;  // columns x rows
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  std::int32_t reserved1 = 0;
  std::int32_t present = 0;  // 1 while a model is loaded or built
  std::int32_t reserved2 = 0;
  std::vector<MasterCell> cells;  // row-major: cell (column, row) is cells[row * columns + column]

  const MasterCell& At(int column, int row) const { return cells[static_cast<std::size_t>(row) * columns + column]; }
};

}  // namespace fendo
