// The master model: a height grid of the finished part, built from a toolpath that traced it
// (a finishing program). The feed optimizer asks it, point by point, whether material stands
// above the tool nearby and how steep its wall is.
//
// The toolpath is first drawn into a fine working grid, f × f working cells to each model
// cell of edge T (the tolerance), so that the cell kept for each grid point is the toolpath
// point nearest to it. In order:
//   1. a toolpath of fewer than 5 records or without linear feed moves builds nothing;
//   2. the origin lies one tolerance below the smallest X and Y of the linear feed moves;
//   3. the fineness f is 5, lowered for large parts so that the working grid stays near
//      4.3 million cells;
//   4. the working grid spans the toolpath measured from the origin;
//   5. every linear feed move is sampled at about two points per working cell; each cell
//      keeps the sample nearest to its corner;
//   6. gaps of up to 4 mm along each row, then each column, are bridged by straight lines;
//   7. every f-th working cell in both directions, the last grid line included, becomes a
//      model cell of edge T;
//   8. each model cell gets the steeper of its slopes towards its X and Y neighbours.
// Lengths are mm, angles degrees. The records are never moved: coordinates are taken relative
// to the origin as they are read.
#include "feed/master_model_build.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"

namespace fendo {
namespace {

using Range = FieldRange<MasterModelInputs>;

constexpr std::array kRanges = {
    Range{"toolDiameter", "공구 직경", 0.01, 1000, [](const MasterModelInputs& i) { return i.toolDiameter; }},
    Range{"stockAllowance", "가공 여유", 0, 100, [](const MasterModelInputs& i) { return i.stockAllowance; }},
    Range{"tolerance", "마스터 모델 공차", 0.001, 100, [](const MasterModelInputs& i) { return i.tolerance; }},
};

constexpr int kMinRecords = 5;
// Working cells per model cell along each axis for parts of up to about 171,000 model cells;
// larger parts get fewer, so that the working grid stays near 60,000,000 / 14 cells.
constexpr int kFullFineness = 5;
constexpr double kFullFinenessCost = 350;           // per model cell
constexpr double kFullFinenessBudget = 59'999'999;  // the full fineness while the cost stays below it
constexpr double kCoarseBudget = 60'000'000;
constexpr double kCoarseCost = 14;  // per working cell
// The fineness rule keeps the working grid near 4.3 million cells while one working cell per
// model cell suffices; a part needing more than kMaxMasterCells model cells (metres of
// toolpath at a fine tolerance) is refused as out of memory instead of being tried.
constexpr auto kMaxWorkingCells = static_cast<double>(kMaxMasterCells);
// mm: a move whose X and Y change at most this is vertical, and a coordinate that changes at
// most this keeps its start value along the samples of a move.
constexpr double kStill = 0.001;
constexpr double kGapBridge = 4.0;  // mm: the longest gap along a row or column bridged by a line
constexpr int kRecordsBetweenReports = 1 << 16;
constexpr std::string_view kBuildingText = "Master Model 생성";
constexpr std::string_view kOutOfMemoryText = "Memory를 할당할 수 없습니다!!!";
constexpr std::string_view kOutOfMemoryCaption = " Message";

// The box of the linear feed moves as the view's bounding box takes it: every linear feed
// point, and the point a path starts from unless the path plunges straight down from it. It
// starts inverted at infinity, so that coordinates of any size widen it correctly.
Extents FeedBox(ToolpathDatabase& db, int& feedMoves) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  Extents box{.min = {kInf, kInf, kInf}, .max = {-kInf, -kInf, -kInf}};
  std::optional<Point3> previous;
  feedMoves = 0;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (!IsMotionKind(r.kind)) return;
    const Point3 point = PositionOf(r);
    if (IsLinearFeedKind(r.kind)) {
      ++feedMoves;
      box.Widen(point);
      const Point3 approach = previous.value_or(point);
      const bool plunge = point.x == approach.x && point.y == approach.y && point.z < approach.z;
      if (r.kind == MoveKind::FeedStart && !plunge) box.Widen(approach);
    }
    previous = point;
  });
  return box;
}

// Working cells per model cell along each axis for a part of `modelCells` cells of edge T.
// The rule alone gives 0 for a part of more than about 4.3 million model cells; one working
// cell per model cell is the least there can be.
int Fineness(double modelCells) {
  if (kFullFinenessCost * modelCells < kFullFinenessBudget) return kFullFineness;
  return std::max(1, static_cast<int>(std::sqrt(kCoarseBudget / (kCoarseCost * modelCells))));
}

// The fine grid the toolpath is drawn into, coordinates measured from the model's origin.
// Cell (column, row) covers [column·cell, (column+1)·cell) × [row·cell, (row+1)·cell).
struct WorkingGrid {
  double cell = 0;  // mm, T / f
  std::ptrdiff_t columns = 0;
  std::ptrdiff_t rows = 0;
  std::vector<MasterCell> cells;  // row-major

  MasterCell& At(std::ptrdiff_t column, std::ptrdiff_t row) { return cells[row * columns + column]; }

  // Keeps the sample in its cell when it lies nearer to the cell's corner than the point
  // there (in the plane; on a tie the higher one, the side the tool must not run into).
  // Samples outside the grid are ignored.
  void Offer(Point3 sample) {
    const double u = sample.x / cell;
    const double v = sample.y / cell;
    if (!(u >= 0 && u < columns && v >= 0 && v < rows)) return;
    const auto column = static_cast<std::ptrdiff_t>(u);
    const auto row = static_cast<std::ptrdiff_t>(v);
    const MasterCell offered{static_cast<float>(sample.x), static_cast<float>(sample.y),
                             static_cast<float>(sample.z)};
    MasterCell& kept = At(column, row);
    if (!kept.empty()) {
      const double cornerX = static_cast<double>(column) * cell;
      const double cornerY = static_cast<double>(row) * cell;
      const auto squared = [](double a, double b) { return a * a + b * b; };
      const double near = squared(offered.x - cornerX, offered.y - cornerY);
      const double held = squared(kept.x - cornerX, kept.y - cornerY);
      if (near > held || (near == held && offered.top <= kept.top)) return;
    }
    kept = offered;
  }

  // Samples the move from→to. A vertical move counts at its lower end only; any other move
  // at about two points per cell along its longer plane axis, from its start up to (not
  // including) its end, which the next move starts from.
  void Rasterise(Point3 from, Point3 to) {
    const Point3 d = to - from;
    if (std::abs(d.x) <= kStill && std::abs(d.y) <= kStill) {
      Offer(to.z <= from.z ? to : from);
      return;
    }
    const auto samples = 2 * static_cast<std::int64_t>(std::max(std::abs(d.x), std::abs(d.y)) / cell) + 1;
    const auto along = [samples](double start, double delta, std::int64_t s) {
      return std::abs(delta) <= kStill ? start : start + delta * static_cast<double>(s) / static_cast<double>(samples);
    };
    for (std::int64_t s = 0; s < samples; ++s) {
      Offer({along(from.x, d.x, s), along(from.y, d.y, s), along(from.z, d.z, s)});
    }
  }
};

// One row or one column of the working grid: `count` cells `stride` apart; `along` is the
// coordinate that runs along the line, `across` the other one.
struct GridLine {
  MasterCell* first;
  std::ptrdiff_t stride;
  std::ptrdiff_t count;
  float MasterCell::*along;
  float MasterCell::*across;

  MasterCell& operator[](std::ptrdiff_t i) const { return first[i * stride]; }
};

// Cells a and b (a < b) hold points with only empty cells between them: both move onto their
// grid lines with the heights of the straight line through their points, and the cells
// between are filled from the same line.
void Bridge(const GridLine& line, std::ptrdiff_t a, std::ptrdiff_t b, double cell) {
  const double alongA = line[a].*line.along, alongB = line[b].*line.along;
  // Two points at the same place (rounding at a cell edge) give no line.
  if (!(alongB > alongA)) return;
  const double acrossA = line[a].*line.across, acrossB = line[b].*line.across;
  const double topA = line[a].top, topB = line[b].top;
  for (std::ptrdiff_t i = a; i <= b; ++i) {
    const double t = (static_cast<double>(i) * cell - alongA) / (alongB - alongA);
    MasterCell& c = line[i];
    c.*line.along = static_cast<float>(static_cast<double>(i) * cell);
    c.top = static_cast<float>(topA + t * (topB - topA));
    if (i != a && i != b) c.*line.across = static_cast<float>(acrossA + t * (acrossB - acrossA));
  }
}

// Bridges every gap of fewer than `reach` cells between two points of the line, walking from
// cell 1 and looking back to the nearest point before each.
void BridgeGaps(const GridLine& line, std::ptrdiff_t reach, double cell) {
  std::ptrdiff_t last = -1;
  for (std::ptrdiff_t i = 0; i < line.count; ++i) {
    if (line[i].empty()) continue;
    if (i >= 1 && last >= 0 && i - last < reach) Bridge(line, last, i, cell);
    last = i;
  }
}

// Gaps along the rows, then along the columns (whose bridges run through the cells the rows
// filled). Row 0 and column 0 are only looked back to.
void FillGaps(WorkingGrid& grid) {
  const auto reach = static_cast<std::ptrdiff_t>(kGapBridge / grid.cell);
  for (std::ptrdiff_t row = 1; row < grid.rows; ++row) {
    BridgeGaps({&grid.At(0, row), 1, grid.columns, &MasterCell::x, &MasterCell::y}, reach, grid.cell);
  }
  for (std::ptrdiff_t column = 1; column < grid.columns; ++column) {
    BridgeGaps({&grid.At(column, 0), grid.columns, grid.rows, &MasterCell::y, &MasterCell::x}, reach, grid.cell);
  }
}

// Keeps every f-th working cell in both directions as the model's cells, in place: working
// columns 0, f, 2f … up to the last one, so that the grid line of the part's far edge, which
// holds points, stays in the model.
void ThinOut(WorkingGrid& grid, int fineness, MasterModel& model) {
  model.columns = static_cast<std::int32_t>((grid.columns - 1) / fineness + 1);
  model.rows = static_cast<std::int32_t>((grid.rows - 1) / fineness + 1);
  model.cellCount = model.columns * model.rows;
  std::size_t kept = 0;
  for (std::ptrdiff_t row = 0; row < model.rows; ++row) {
    for (std::ptrdiff_t column = 0; column < model.columns; ++column) {
      grid.cells[kept++] = grid.At(column * fineness, row * fineness);
    }
  }
  grid.cells.resize(kept);
  grid.cells.shrink_to_fit();
  model.cells = std::move(grid.cells);
}

// The slope between cells a and b in degrees (0..90): the rise between their tops over one
// cell. Nothing when either cell is empty or outside the grid.
std::optional<double> Slope(const MasterModel& model, int columnA, int rowA, int columnB, int rowB) {
  const auto inside = [&model](int column, int row) {
    return column >= 0 && column < model.columns && row >= 0 && row < model.rows;
  };
  if (!inside(columnA, rowA) || !inside(columnB, rowB)) return std::nullopt;
  const MasterCell& a = model.At(columnA, rowA);
  const MasterCell& b = model.At(columnB, rowB);
  if (a.empty() || b.empty()) return std::nullopt;
  return std::atan(std::abs(double{a.top} - b.top) / model.cellSize) * 180 / std::numbers::pi;
}

// The cell's slope along one axis (a step of dc columns and dr rows): towards the neighbour
// before it, or towards the one after it in the first row or column past the margin and when
// the one before fails.
double AxisAngle(const MasterModel& model, int column, int row, int dc, int dr) {
  const bool pastMargin = dc != 0 ? column == 1 : row == 1;
  std::optional<double> slope;
  if (!pastMargin) slope = Slope(model, column, row, column - dc, row - dr);
  if (!slope) slope = Slope(model, column, row, column + dc, row + dr);
  return slope.value_or(0);
}

// Each cell's wall angle is the steeper of its X and Y slopes, cut to whole degrees. Row 0
// and column 0 keep 0.
void SetWallAngles(MasterModel& model) {
  for (int row = 1; row < model.rows; ++row) {
    for (int column = 1; column < model.columns; ++column) {
      const double angle = std::max(AxisAngle(model, column, row, 1, 0), AxisAngle(model, column, row, 0, 1));
      model.cells[static_cast<std::size_t>(row) * model.columns + column].wallAngle = static_cast<std::int16_t>(angle);
    }
  }
}

MasterBuildResult Refused(MasterBuildStatus status, std::string reason) {
  MasterBuildResult result;
  result.status = status;
  result.reason = std::move(reason);
  return result;
}

MasterBuildResult OutOfMemory(UserPrompts& prompts, std::string reason) {
  prompts.Message(kOutOfMemoryText, kOutOfMemoryCaption, PromptIcon::Warning);
  return Refused(MasterBuildStatus::OutOfMemory, std::move(reason));
}

}  // namespace

std::span<const FieldRange<MasterModelInputs>> MasterModelInputRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const MasterModelInputs& inputs) {
  return CheckFieldRanges<MasterModelInputs>(inputs, kRanges);
}

MasterBuildResult BuildMasterModel(ToolpathDatabase& db, const MasterModelInputs& inputs, UserPrompts& prompts,
                                   Progress* progress) {
  if (const std::optional<OptionOutOfRange> range = CheckRanges(inputs)) {
    return Refused(MasterBuildStatus::OutOfRange, range->message);
  }
  const double tolerance = inputs.tolerance;

  // 1. Something to build from.
  if (db.recordCount < kMinRecords) {
    return Refused(MasterBuildStatus::TooFewRecords, "the toolpath has fewer than 5 records");
  }
  int feedMoves = 0;
  const Extents box = FeedBox(db, feedMoves);
  if (feedMoves == 0) return Refused(MasterBuildStatus::NoFeedMoves, "the toolpath has no linear feed moves");

  // 2. The origin, one tolerance outside the part.
  MasterBuildResult result;
  MasterModel& model = result.model;
  model.toolSize = inputs.toolDiameter + 2 * inputs.stockAllowance;
  model.originX = box.min.x - tolerance;
  model.originY = box.min.y - tolerance;
  model.minZ = box.min.z;
  model.maxZ = box.max.z;
  model.extentX = box.max.x - model.originX;
  model.extentY = box.max.y - model.originY;
  model.cellSize = tolerance;

  // 3. The fineness of the working grid.
  const double modelCells = std::floor(model.extentX / tolerance) * std::floor(model.extentY / tolerance);
  const int fineness = Fineness(modelCells);
  result.fineness = fineness;

  // 4. The working grid over the part.
  WorkingGrid grid;
  grid.cell = tolerance / fineness;
  const double columns = std::floor(model.extentX / grid.cell + 1);
  const double rows = std::floor(model.extentY / grid.cell + 1);
  if (columns * rows > kMaxWorkingCells) {
    return OutOfMemory(prompts, "the part would need " + std::to_string(static_cast<long long>(columns * rows)) +
                                    " working cells at this tolerance, more than " +
                                    std::to_string(static_cast<long long>(kMaxWorkingCells)));
  }
  grid.columns = static_cast<std::ptrdiff_t>(columns);
  grid.rows = static_cast<std::ptrdiff_t>(rows);
  try {
    grid.cells.resize(static_cast<std::size_t>(grid.columns * grid.rows));

    // 5. The linear feed moves drawn into the grid, each from the motion point before it.
    const Point3 origin{model.originX, model.originY, 0};
    std::optional<Point3> previous;
    db.ForEachRecord([&](int i, const ToolpathRecord& r) {
      if (progress && i % kRecordsBetweenReports == 0) progress->Report(kBuildingText, i, db.recordCount);
      if (!IsMotionKind(r.kind)) return;
      const Point3 point = PositionOf(r) - origin;
      if (IsLinearFeedKind(r.kind)) grid.Rasterise(previous.value_or(point), point);
      previous = point;
    });

    // 6. to 8.
    FillGaps(grid);
    ThinOut(grid, fineness, model);
    SetWallAngles(model);
  } catch (const std::bad_alloc&) {
    return OutOfMemory(prompts, "the " + std::to_string(grid.columns * grid.rows) +
                                    " working cells of the model could not be allocated");
  }
  model.present = 1;
  return result;
}

}  // namespace fendo
