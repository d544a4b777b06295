#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "core/progress.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "feed/master_file.h"
#include "feed/master_lookup.h"
#include "feed/master_model_build.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using test::Batch;
using test::BatchRun;
using test::Fill;
using test::Rec;
using test::Records;
using test::TempDir;
using K = MoveKind;

constexpr const char* kOutOfMemory = " Message: Memory를 할당할 수 없습니다!!!";
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class CountingProgress : public Progress {
 public:
  int reports = 0;
  void Report(std::string_view text, std::int64_t, std::int64_t) override { reports += text == "Master Model 생성"; }
};

// A stepped block finished by raster passes along X, one a millimetre from Y 0 to Y 10: the
// floor at Z 0 up to X 10.5, a wall straight up to Z 5, the top at Z 5 to X 20. Each pass
// plunges straight down from Z 20 and leaves straight up.
std::vector<ToolpathRecord> SteppedBlock() {
  std::vector<ToolpathRecord> records;
  for (int y = 0; y <= 10; ++y) {
    const auto fy = static_cast<float>(y);
    for (const ToolpathRecord& r : {Rec(K::RapidStart, 0, fy, 20), Rec(K::FeedStart, 0, fy, 0, 500),
                                    Rec(K::Feed, 10.5f, fy, 0, 500), Rec(K::Feed, 10.5f, fy, 5, 500),
                                    Rec(K::Feed, 20, fy, 5, 500), Rec(K::RapidStart, 20, fy, 20)}) {
      records.push_back(r);
    }
  }
  return records;
}

// One straight feed move along X or Y at height z for each given line, each reached by a
// straight plunge.
std::vector<ToolpathRecord> Passes(const std::vector<std::array<float, 5>>& lines) {
  std::vector<ToolpathRecord> records;
  for (const auto& [x0, y0, x1, y1, z] : lines) {
    records.push_back(Rec(K::RapidStart, x0, y0, z + 10));
    records.push_back(Rec(K::FeedStart, x0, y0, z, 500));
    records.push_back(Rec(K::Feed, x1, y1, z, 500));
  }
  return records;
}

MasterBuildResult Build(const std::vector<ToolpathRecord>& records, MasterModelInputs inputs = {}) {
  ToolpathDatabase db;
  Fill(db, records);
  test::ScriptedPrompts prompts;
  MasterBuildResult result = BuildMasterModel(db, inputs, prompts);
  EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
  return result;
}

TEST(MasterModelBuild, SteppedBlockGivesItsHeightsAndTheWallAngleOfItsStep) {
  ToolpathDatabase db;
  Fill(db, SteppedBlock());
  const std::vector<std::string> before = Records(db);
  test::ScriptedPrompts prompts;
  CountingProgress progress;
  const MasterBuildResult result =
      BuildMasterModel(db, {.toolDiameter = 8, .stockAllowance = 0.5, .tolerance = 1}, prompts, &progress);
  ASSERT_TRUE(result.ok()) << result.reason;
  EXPECT_EQ(Records(db), before) << "building reads the toolpath, never moves it";
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_GT(progress.reports, 0);

  const MasterModel& m = result.model;
  EXPECT_EQ(m.present, 1);
  EXPECT_EQ(result.fineness, 5);
  EXPECT_DOUBLE_EQ(m.originX, -1);  // one tolerance below the part; the approaches lie above it
  EXPECT_DOUBLE_EQ(m.originY, -1);
  EXPECT_DOUBLE_EQ(m.extentX, 21);
  EXPECT_DOUBLE_EQ(m.extentY, 11);
  EXPECT_DOUBLE_EQ(m.minZ, 0);
  EXPECT_DOUBLE_EQ(m.maxZ, 5);
  EXPECT_DOUBLE_EQ(m.toolSize, 9);
  EXPECT_DOUBLE_EQ(m.cellSize, 1);
  // 106 × 56 working cells of 0.2, every fifth kept: working columns 0, 5 … 105.
  ASSERT_EQ(m.columns, 22);
  ASSERT_EQ(m.rows, 12);
  ASSERT_EQ(m.cellCount, 264);
  ASSERT_EQ(m.cells.size(), 264u);

  // Cell (c, r) stands for X c − 1, Y r − 1: the floor up to X 10, the top from X 11.
  for (int row = 0; row < m.rows; ++row) {
    for (int column = 0; column < m.columns; ++column) {
      const MasterCell& cell = m.At(column, row);
      SCOPED_TRACE("column " + std::to_string(column) + ", row " + std::to_string(row));
      if (row == 0 || column == 0) {
        EXPECT_TRUE(cell.empty()) << "the margin below the part";
        continue;
      }
      if (column == 21) {
        // A move is drawn up to its end, where the next one starts; the end of a pass at X 20
        // lies on the grid line, in no sampled working cell.
        EXPECT_TRUE(cell.empty());
        continue;
      }
      ASSERT_FALSE(cell.empty());
      EXPECT_FLOAT_EQ(cell.top, column <= 11 ? 0 : 5);
      EXPECT_EQ(cell.wallAngle, column == 12 ? 78 : 0) << "atan(5 / 1) = 78.7 at the foot-to-top step";
      EXPECT_NEAR(cell.x, column, 1e-4) << "on its grid line, measured from the origin";
      EXPECT_NEAR(cell.y, row, 1e-4);
    }
  }
}

TEST(MasterModelBuild, GapsUpTo4mmAcrossThePassesAreBridgedByStraightLines) {
  // Passes at Y 0 (Z 0), Y 3 (Z 3) and Y 9 (Z 3): 3 mm is bridged, 6 mm is not.
  const MasterBuildResult result = Build(Passes({{0, 0, 10, 0, 0}, {0, 3, 10, 3, 3}, {0, 9, 10, 9, 3}}));
  ASSERT_TRUE(result.ok()) << result.reason;
  const MasterModel& m = result.model;
  ASSERT_EQ(m.rows, 11);  // the pass at Y 9 on the last grid line
  const struct {
    int row;
    float top;  // kEmpty: no height
    int wallAngle;
  } expected[] = {{1, 0, 45}, {2, 1, 45}, {3, 2, 45}, {4, 3, 45}, {5, MasterCell::kEmpty, 0},
                  {8, MasterCell::kEmpty, 0}, {10, 3, 0}};
  for (const auto& e : expected) {
    const MasterCell& cell = m.At(5, e.row);
    EXPECT_FLOAT_EQ(cell.top, e.top) << "row " << e.row;
    EXPECT_EQ(cell.wallAngle, e.wallAngle) << "row " << e.row;
  }
}

TEST(MasterModelBuild, LargePartsGetACoarserWorkingCellButKeepTheirCellSize) {
  const struct {
    const char* what;
    float size;  // mm, the side of a square frame of feed moves
    int fineness;
    int cells;  // along each side of the model
  } cases[] = {
      {"500 mm: 251,001 model cells, the working grid thinned to 4 a cell", 500, 4, 502},
      // The rule alone would give 0 working cells a model cell here (a division by zero).
      {"2100 mm: 4.4 million model cells, one working cell each", 2100, 1, 2102},
  };
  for (const auto& c : cases) {
    const MasterBuildResult result =
        Build({Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, c.size, 0, 0),
               Rec(K::Feed, c.size, c.size, 0), Rec(K::Feed, 0, c.size, 0), Rec(K::Feed, 0, 0, 0)});
    ASSERT_TRUE(result.ok()) << c.what << ": " << result.reason;
    const MasterModel& m = result.model;
    EXPECT_EQ(result.fineness, c.fineness) << c.what;
    EXPECT_DOUBLE_EQ(m.cellSize, 1) << c.what;
    EXPECT_EQ(m.columns, c.cells) << c.what;
    EXPECT_EQ(m.rows, c.cells) << c.what;
    EXPECT_FLOAT_EQ(m.At(1, 1).top, 0) << c.what << ": the frame's corner";
    EXPECT_FLOAT_EQ(m.At(c.cells - 1, c.cells / 2).top, 0) << c.what << ": the frame's far side";
    EXPECT_TRUE(m.At(c.cells / 2, c.cells / 2).empty()) << c.what << ": inside the frame";
  }
}

TEST(MasterModelBuild, RefusalsBuildNothingAndLeaveTheToolpath) {
  const std::vector<ToolpathRecord> rapids = {Rec(K::RapidStart, 0, 0, 10), Rec(K::Rapid, 5, 0, 10),
                                              Rec(K::Rapid, 5, 5, 10), Rec(K::Rapid, 0, 5, 10),
                                              Rec(K::Rapid, 0, 0, 10)};
  // 60 m of toolpath at a thousandth: 3.6 × 10^15 cells would be terabytes.
  const std::vector<ToolpathRecord> huge = {Rec(K::RapidStart, -30000, -30000, 10), Rec(K::FeedStart, -30000, -30000, 0),
                                            Rec(K::Feed, 30000, 30000, 0), Rec(K::Feed, 30000, -30000, 0),
                                            Rec(K::Feed, -30000, -30000, 0)};
  const std::vector<ToolpathRecord> block = SteppedBlock();
  const struct {
    const char* what;
    std::vector<ToolpathRecord> records;
    MasterModelInputs inputs;
    MasterBuildStatus status;
    std::vector<std::string> messages;
  } cases[] = {
      {"four records", {block.begin(), block.begin() + 4}, {}, MasterBuildStatus::TooFewRecords, {}},
      {"rapid moves only", rapids, {}, MasterBuildStatus::NoFeedMoves, {}},
      {"tolerance 0", SteppedBlock(), {.tolerance = 0}, MasterBuildStatus::OutOfRange, {}},
      {"tolerance NaN", SteppedBlock(), {.tolerance = kNaN}, MasterBuildStatus::OutOfRange, {}},
      {"negative allowance", SteppedBlock(), {.stockAllowance = -1}, MasterBuildStatus::OutOfRange, {}},
      {"tool 0", SteppedBlock(), {.toolDiameter = 0}, MasterBuildStatus::OutOfRange, {}},
      {"60 m at 0.001", huge, {.tolerance = 0.001}, MasterBuildStatus::OutOfMemory, {kOutOfMemory}},
      {"6 m at 1: 36 million cells", Passes({{0, 0, 6000, 0, 0}, {0, 6000, 6000, 6000, 0}}), {},
       MasterBuildStatus::OutOfMemory, {kOutOfMemory}},
  };
  for (const auto& c : cases) {
    ToolpathDatabase db;
    Fill(db, c.records);
    const std::vector<std::string> before = Records(db);
    test::ScriptedPrompts prompts;
    const MasterBuildResult result = BuildMasterModel(db, c.inputs, prompts);
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_FALSE(result.reason.empty()) << c.what;
    EXPECT_EQ(result.model.present, 0) << c.what;
    EXPECT_TRUE(result.model.cells.empty()) << c.what;
    EXPECT_EQ(prompts.messages, c.messages) << c.what;
    EXPECT_EQ(Records(db), before) << c.what;
  }
}

// A model of `columns` × `rows` cells of 1 mm at the origin, every cell at Z 0 on flat ground.
MasterModel FlatModel(int columns, int rows) {
  MasterModel m;
  m.cellSize = 1;
  m.columns = columns;
  m.rows = rows;
  m.cellCount = columns * rows;
  m.present = 1;
  m.cells.assign(static_cast<std::size_t>(m.cellCount), MasterCell{0, 0, 0, 0});
  return m;
}

void SetCell(MasterModel& m, int column, int row, float top, std::int16_t wallAngle) {
  MasterCell& cell = m.cells[static_cast<std::size_t>(row) * m.columns + column];
  cell.top = top;
  cell.wallAngle = wallAngle;
}

TEST(MasterLookup, TakesTheSteepestWallAboveTheToolWithinTheRadiusOfTheSnappedPoint) {
  MasterModel m = FlatModel(20, 20);
  SetCell(m, 10, 10, 5, 30);  // under the point
  SetCell(m, 13, 14, 5, 40);  // 5 from (10, 10): on the circle
  SetCell(m, 14, 14, 5, 80);  // in the window's corner, 5.7 away
  SetCell(m, 10, 16, 5, 85);  // 6 away, outside the window
  SetCell(m, 7, 10, 1, 60);   // below the tool at Z 2
  const struct {
    const char* what;
    double x, y, z, radius;
    int angle;
  } cases[] = {
      {"the cell under the point and the one on the circle", 10, 10, 2, 5, 40},
      {"snapped: 10.5 goes to the lower line", 10.5, 10.5, 2, 5, 40},
      {"snapped: 9.51 goes to 10", 9.51, 9.51, 2, 5, 40},
      {"snapped past the half: 10.51 goes to 11, whose disc holds the corner cell", 10.51, 10.51, 2, 5, 80},
      {"a smaller radius keeps only the cell under the point", 10, 10, 2, 4.9, 30},
      {"the tool above every wall", 10, 10, 5, 5, 0},
      {"a wall below the tool does not count, one above does", 7, 10, 0.5, 0.4, 60},
      {"radius 0: the cell under the snapped point only", 10.2, 9.8, 2, 0, 30},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MasterWallAngle(m, c.x, c.y, c.z, c.radius), c.angle) << c.what;
  }
  // The same model elsewhere and at another cell size.
  m.originX = -100;
  m.originY = 50;
  m.cellSize = 0.5;
  EXPECT_EQ(MasterWallAngle(m, -95, 55, 2, 2.5), 40);
  EXPECT_EQ(MasterWallAngle(m, -95, 55, 2, 2.4), 30);
}

TEST(MasterLookup, StaysInsideTheGridAndLeavesItsMarginAlone) {
  MasterModel m = FlatModel(8, 6);
  SetCell(m, 0, 3, 9, 90);  // the margin column
  SetCell(m, 3, 0, 9, 90);  // the margin row
  SetCell(m, 7, 5, 9, 50);  // the last cell
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char* what;
    double x, y, radius;
    int angle;
  } cases[] = {
      {"beside the margin", 1, 3, 2, 0},
      {"near the far corner, the window cut at the edge", 7.4, 5.4, 1, 50},
      {"beyond the far corner but within reach", 9, 7, 3, 50},
      {"far outside", 1e12, -1e12, 5, 0},
      {"NaN", std::nan(""), 3, 5, 0},
      {"infinite", kInf, 3, 5, 0},
      {"an infinite radius reaches every cell but the margin", 3, 3, kInf, 50},
      {"a negative radius", 7, 5, -1, 0},
      {"a NaN radius", 7, 5, std::nan(""), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(MasterWallAngle(m, c.x, c.y, 0, c.radius), c.angle) << c.what;
  EXPECT_EQ(MasterWallAngle(m, 7, 5, std::nan(""), 1), 0) << "a NaN height is above no cell";

  MasterModel thin = FlatModel(8, 1);
  EXPECT_EQ(MasterWallAngle(thin, 3, 0, -1, 5), 0) << "one row: nothing past the margin";
  MasterModel shortOfCells = m;
  shortOfCells.cells.resize(10);
  EXPECT_EQ(MasterWallAngle(shortOfCells, 7, 5, 0, 1), 0) << "cells fewer than columns x rows";
  EXPECT_EQ(MasterWallAngle(MasterModel{}, 0, 0, 0, 5), 0) << "no model";
}

MasterModel SteppedModel() {
  MasterBuildResult result = Build(SteppedBlock());
  EXPECT_TRUE(result.ok()) << result.reason;
  return std::move(result.model);
}

std::vector<std::byte> ReadBytes(const fs::path& path) {
  const std::string text = test::ReadFile(path);
  const auto* first = reinterpret_cast<const std::byte*>(text.data());
  return {first, first + text.size()};
}

void WriteBytes(const fs::path& path, const std::vector<std::byte>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

template <typename T>
void Poke(std::vector<std::byte>& bytes, std::size_t offset, T value) {
  const auto bits = std::bit_cast<std::array<std::byte, sizeof(T)>>(value);  // the test machine is little-endian
  std::copy(bits.begin(), bits.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

template <typename T>
T Peek(const std::vector<std::byte>& bytes, std::size_t offset) {
  std::array<std::byte, sizeof(T)> bits;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), sizeof(T), bits.begin());
  return std::bit_cast<T>(bits);
}

// Offsets of the header fields in the file.
constexpr std::size_t kOriginX = 100, kCellSize = 156, kCellCount = 164, kColumns = 168, kRows = 172,
                      kFirstCell = 188;

TEST(MasterFile, IsTheHeaderAndSixBytesACellAndReadsBackAsWritten) {
  const MasterModel built = SteppedModel();
  TempDir dir;
  const fs::path path = dir / "block.mma";
  ASSERT_TRUE(WriteMasterFile(path, built));
  const std::vector<std::byte> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 188 + 6u * 264);
  EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + 100, std::byte{0}), 100);
  EXPECT_EQ(Peek<double>(bytes, kOriginX), -1);
  EXPECT_EQ(Peek<double>(bytes, kCellSize), 1);
  EXPECT_EQ(Peek<std::int32_t>(bytes, kCellCount), 264);
  EXPECT_EQ(Peek<std::int32_t>(bytes, kColumns), 22);
  EXPECT_EQ(Peek<std::int32_t>(bytes, kRows), 12);
  EXPECT_EQ(Peek<std::int32_t>(bytes, 180), 1) << "present";
  const std::size_t step = kFirstCell + 6 * (1 * 22 + 12);  // cell (12, 1): the top of the step
  EXPECT_EQ(Peek<float>(bytes, step), 5);
  EXPECT_EQ(Peek<std::int16_t>(bytes, step + 4), 78);

  MasterModel read;
  ASSERT_TRUE(ReadMasterFile(path, read));
  EXPECT_EQ(read.present, 1);
  for (auto field : {&MasterModel::originX, &MasterModel::originY, &MasterModel::minZ, &MasterModel::extentX,
                     &MasterModel::extentY, &MasterModel::maxZ, &MasterModel::toolSize, &MasterModel::cellSize}) {
    EXPECT_EQ(read.*field, built.*field);
  }
  EXPECT_EQ(read.cellCount, built.cellCount);
  EXPECT_EQ(read.columns, built.columns);
  EXPECT_EQ(read.rows, built.rows);
  ASSERT_EQ(read.cells.size(), built.cells.size());
  for (std::size_t k = 0; k < read.cells.size(); ++k) {
    EXPECT_EQ(read.cells[k].top, built.cells[k].top) << k;
    EXPECT_EQ(read.cells[k].wallAngle, built.cells[k].wallAngle) << k;
    EXPECT_EQ(read.cells[k].x, MasterCell::kEmpty) << "a file holds heights, not points";
    EXPECT_EQ(read.cells[k].y, MasterCell::kEmpty);
  }
  EXPECT_EQ(MasterFileBytes(read), bytes) << "written again, the same bytes";
}

TEST(MasterFile, AFileWhoseHeaderDoesNotDescribeItIsRefusedAndLeavesNoModel) {
  const std::vector<std::byte> good = MasterFileBytes(SteppedModel());
  ASSERT_FALSE(good.empty());
  const auto with = [&good](auto change) {
    std::vector<std::byte> bytes = good;
    change(bytes);
    return bytes;
  };
  const struct {
    const char* what;
    std::vector<std::byte> bytes;
  } cases[] = {
      {"empty", {}},
      {"shorter than the header", {good.begin(), good.begin() + 187}},
      {"the header only", {good.begin(), good.begin() + 188}},
      {"the last cell cut short", {good.begin(), good.end() - 1}},
      {"a byte after the last cell", with([](auto& b) { b.push_back(std::byte{0}); })},
      {"one cell more in the header", with([](auto& b) { Poke<std::int32_t>(b, kCellCount, 265); })},
      {"columns x rows is not the cell count", with([](auto& b) { Poke<std::int32_t>(b, kColumns, 23); })},
      {"negative columns and rows", with([](auto& b) {
         Poke<std::int32_t>(b, kColumns, -22);
         Poke<std::int32_t>(b, kRows, -12);
       })},
      {"zero rows and cells", with([](auto& b) {
         Poke<std::int32_t>(b, kRows, 0);
         Poke<std::int32_t>(b, kCellCount, 0);
       })},
      {"huge counts", with([](auto& b) {
         Poke<std::int32_t>(b, kColumns, 65536);
         Poke<std::int32_t>(b, kRows, 32767);
         Poke<std::int32_t>(b, kCellCount, 65536 * 32767);
       })},
      {"cell size 0", with([](auto& b) { Poke<double>(b, kCellSize, 0.0); })},
      {"cell size negative", with([](auto& b) { Poke<double>(b, kCellSize, -1.0); })},
      {"cell size infinite", with([](auto& b) { Poke<double>(b, kCellSize, std::numeric_limits<double>::infinity()); })},
      {"origin NaN", with([](auto& b) { Poke<double>(b, kOriginX, std::nan("")); })},
      {"a height NaN", with([](auto& b) { Poke<float>(b, kFirstCell + 60, kNaN); })},
      {"a wall angle of 91", with([](auto& b) { Poke<std::int16_t>(b, kFirstCell + 64, 91); })},
      {"a wall angle of -1", with([](auto& b) { Poke<std::int16_t>(b, kFirstCell + 64, -1); })},
  };
  TempDir dir;
  for (const auto& c : cases) {
    MasterModel model = SteppedModel();
    const FileStatus parsed = ParseMasterFile(c.bytes, model);
    EXPECT_FALSE(parsed) << c.what;
    EXPECT_FALSE(parsed.reason.empty()) << c.what;
    EXPECT_EQ(model.present, 0) << c.what;
    EXPECT_TRUE(model.cells.empty()) << c.what;

    WriteBytes(dir / "bad.mma", c.bytes);
    model = SteppedModel();
    const FileStatus read = ReadMasterFile(dir / "bad.mma", model);
    EXPECT_FALSE(read) << c.what;
    EXPECT_EQ(read.reason, parsed.reason) << c.what;
    EXPECT_EQ(model.present, 0) << c.what;
    EXPECT_TRUE(model.cells.empty()) << c.what;
  }
  MasterModel model = SteppedModel();
  EXPECT_FALSE(ReadMasterFile(dir / "missing.mma", model));
  EXPECT_EQ(model.present, 0);
  model = SteppedModel();
  fs::create_directories(dir / "folder.mma");
  EXPECT_FALSE(ReadMasterFile(dir / "folder.mma", model));
  EXPECT_TRUE(model.cells.empty());
}

TEST(MasterFile, AWriteThatFailsIsNeverSuccess) {
  const MasterModel model = SteppedModel();
  TempDir dir;
  const FileStatus noFolder = WriteMasterFile(dir / "no/such/folder.mma", model);
  EXPECT_FALSE(noFolder);
  EXPECT_EQ(noFolder.reason, "No such file or directory");
  if (fs::exists("/dev/full")) {
    const FileStatus full = WriteMasterFile("/dev/full", model);
    EXPECT_FALSE(full);
    EXPECT_EQ(full.reason, "No space left on device");
  }
  EXPECT_FALSE(WriteMasterFile(dir / "empty.mma", MasterModel{})) << "no model to write";
  EXPECT_FALSE(fs::exists(dir / "empty.mma"));
}

// The stepped block as an NC program.
std::string SteppedBlockProgram() {
  std::string program = "G90 G17\n";
  for (int y = 0; y <= 10; ++y) {
    program += "G00 X0 Y" + std::to_string(y) + " Z20\nG01 Z0 F500\nX10.5\nZ5\nX20\nG00 Z20\n";
  }
  return program;
}

TEST(MasterBatch, BuildsWritesAndReportsAModel) {
  TempDir dir;
  const fs::path program = dir / "block.nc";
  std::ofstream(program) << SteppedBlockProgram();
  const fs::path model = dir / "block.mma";

  const BatchRun build = Batch({"master", "build", program.string(), "-o", model.string(), "--tool", "8",
                                "--allowance", "0.5", "--tolerance", "1"});
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out, model.string() +
                           ": 22 x 12 cells of 1.000 mm over X -1.000 .. 20.000   Y -1.000 .. 10.000   Z 0.000 .. 5.000\n");
  EXPECT_EQ(fs::file_size(model), 188u + 6 * 264);

  const BatchRun info = Batch({"master", "info", model.string()});
  ASSERT_EQ(info.status, 0) << info.err;
  for (const char* expected : {"  grid                22 x 12 cells of 1.000 mm (264 cells)",
                               "  tool size           9.000 mm",
                               "  cells with height   220 (83.3 %), Z 0.000 .. 5.000",
                               "  wall angles (deg)   0: 209   1-15: 0   16-30: 0   31-45: 0   46-60: 0   61-75: 0   76-90: 11"}) {
    EXPECT_NE(info.out.find(expected), std::string::npos) << expected << "\n" << info.out;
  }
}

TEST(MasterBatch, MistakesAndFailuresAreToldWithTheirStatus) {
  TempDir dir;
  const fs::path program = dir / "block.nc";
  std::ofstream(program) << SteppedBlockProgram();
  const fs::path tiny = dir / "tiny.nc";
  std::ofstream(tiny) << "G00 X0 Y0 Z5\nG01 Z0 F100\nX1\n";
  const fs::path bad = dir / "bad.mma";
  std::ofstream(bad) << "not a model";
  const std::string out = (dir / "out.mma").string();
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"master"}, 2, "master takes build or info (see"},
      {{"master", "show", "x.mma"}, 2, "master takes build or info, not show"},
      {{"master", "build", program.string()}, 2, "takes one input and -o FILE.mma"},
      {{"master", "build", program.string(), "-o", out, "--tolerance", "0"}, 2,
       "tolerance (마스터 모델 공차) must lie between 0.001 and 100, not 0"},
      {{"master", "build", program.string(), "-o", out, "--tool", "big"}, 2, "--tool takes a number"},
      {{"master", "build", program.string(), "-o", out, "--arcs-to-lines"}, 2, "unknown option --arcs-to-lines"},
      {{"master", "build", tiny.string(), "-o", out}, 1, "no master model was built: the toolpath has fewer than 5"},
      {{"master", "build", program.string(), "-o", (dir / "no/folder.mma").string()}, 1, "cannot write:"},
      {{"master", "info", bad.string()}, 1, "not a master model that can be read: the file is shorter"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.status, c.status) << c.args[1 < c.args.size() ? 1 : 0] << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.message << "\n" << run.err;
  }
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace fendo
