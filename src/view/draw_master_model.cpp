#include "view/draw_master_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "view/device_projection.h"

namespace fendo {
namespace {

// Low to high.
constexpr std::array<Rgb, 8> kHeightColours = {{{0, 0, 255},   {0, 128, 255}, {0, 255, 255}, {0, 255, 128},
                                                {128, 255, 0}, {255, 255, 0}, {255, 128, 0}, {255, 0, 0}}};

std::size_t HeightBand(double z, double low, double high) {
  if (!(high > low)) return 0;
  const double fraction = std::clamp((z - low) / (high - low), 0.0, 1.0);
  return std::min(kHeightColours.size() - 1, static_cast<std::size_t>(fraction * kHeightColours.size()));
}

}  // namespace

void DrawMasterModel(Canvas& canvas, const MasterModel& model, const ViewState& view) {
  const std::size_t cellCount = static_cast<std::size_t>(std::max(model.columns, 0)) * std::max(model.rows, 0);
  if (!model.present || !(model.cellSize > 0) || model.cells.size() < cellCount) return;
  const DeviceProjection projection(view);
  const double cellPixels = model.cellSize * view.scale;
  const int step = cellPixels >= 1 ? 1 : static_cast<int>(std::min(1 / cellPixels, 1e6));

  std::array<std::vector<DevicePoint>, kHeightColours.size()> bands;
  for (int row = 0; row < model.rows; row += step) {
    for (int column = 0; column < model.columns; column += step) {
      const MasterCell& cell = model.At(column, row);
      if (cell.empty()) continue;
      const double x = model.originX + column * model.cellSize;
      const double y = model.originY + row * model.cellSize;
      if (const std::optional<DevicePoint> p = projection.ToPixel(x, y, cell.top)) {
        bands[HeightBand(cell.top, model.minZ, model.maxZ)].push_back(*p);
      }
    }
  }
  for (std::size_t band = 0; band < bands.size(); ++band) {
    if (bands[band].empty()) continue;
    canvas.SetPen({kHeightColours[band]});
    canvas.Points(bands[band]);
  }
}

}  // namespace fendo
