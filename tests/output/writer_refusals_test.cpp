// What the writer will not write as it was held: a program without motion, arcs a control
// would refuse; and how incremental output gets back to absolute where the program says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/text_lines.h"
#include "support/unattended_writer.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadFile;
using test::SplitLines;

class WriterRefusalTest : public testing::Test {
 protected:
  WriterRefusalTest() {
    test::WriteUnattendedTo(options_, dir_ / "out.nc");
  }

  // Reads `program` into a fresh work buffer, writes it with the test's options and returns
  // the lines written (none when no file was made).
  Lines Write(std::string_view program) {
    db_ = std::make_unique<ToolpathDatabase>();
    AppendText(*db_, program);
    result_ = WriteNcProgram(*db_, options_, prompts_);
    if (!fs::exists(options_.outputPath)) return {};
    Lines lines = SplitLines(ReadFile(options_.outputPath));
    fs::remove(options_.outputPath);
    return lines;
  }

  // The lines between the move to the first point and the footer's retract.
  Lines Body(std::string_view program) {
    const Lines lines = Write(program);
    const auto start =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("G90G00G17"); });
    const auto footer = std::find(lines.begin(), lines.end(), "M09");
    return start < footer ? Lines(start + 1, footer - 1) : Lines{};
  }

  const test::TempDir dir_;
  std::unique_ptr<ToolpathDatabase> db_ = std::make_unique<ToolpathDatabase>();
  NcOutputOptions options_;
  test::ScriptedPrompts prompts_;
  WriteResult result_;
};

// A program without motion was written as a rapid move to X0 Y0 Z0 and the footer: the
// machine would have gone to the part's zero. Now nothing is written, in either form.
TEST_F(WriterRefusalTest, AProgramWithoutMotionIsNotWritten) {
  const char* programs[] = {"", "(ONLY A COMMENT)\n", "%\nO1234\n(T1 D10)\nG17 G21 G90\nM05\nM30\n%\n"};
  for (const bool heidenhain : {false, true}) {
    options_.heidenhain = heidenhain;
    for (const char* program : programs) {
      EXPECT_EQ(Write(program), Lines{}) << program;
      EXPECT_EQ(result_.status, WriteStatus::NoMotion) << program;
      EXPECT_EQ(result_.reason, "출력할 공구경로가 없습니다.");
      EXPECT_NE(db_->layers[0].layerName, options_.outputPath) << "a refused run renames nothing";
    }
  }
}

// A layer of the layer output without motion adds nothing (its start line was a rapid move to
// X0 Y0 Z0 between the other layers); only such layers, or none, are no program.
TEST_F(WriterRefusalTest, LayersWithoutMotionAddNothing) {
  AppendText(*db_, "G00 X10 Y20 Z50\nG01 Z0 F300\nX30\n");
  db_->SaveToLayer(0);
  NcOutputOptions layered = LayerOutputOptions(*db_);
  layered.outputPath = options_.outputPath;
  layered.diagonalRapidCheck = false;
  ASSERT_TRUE(WriteLayerNcProgram(*db_, {0, 1, 0}, layered, prompts_).ok());
  const std::string written = ReadFile(options_.outputPath);
  EXPECT_EQ(written.find("X0.000Y0.000Z0.000"), std::string::npos) << written;
  fs::remove(options_.outputPath);
  for (const std::vector<int>& layers : {std::vector<int>{1}, std::vector<int>{1, 2}, std::vector<int>{}}) {
    EXPECT_EQ(WriteLayerNcProgram(*db_, layers, layered, prompts_).status, WriteStatus::NoMotion);
    EXPECT_FALSE(fs::exists(options_.outputPath));
  }
}

// Each arc from (0, 0, 0) after a cut at F100, in R and in I/J/K: the lines it gives, and
// whether it counts as written as a line or by offsets because a control would refuse it.
TEST_F(WriterRefusalTest, ArcsAControlWouldRefuseAreWrittenAsItTakesThem) {
  struct Case {
    const char* arc;
    Lines byRadius;
    Lines byOffsets;
    int asLines;
    int radiusByOffsets;  // counted in R output only
  };
  // G17 goes with the first arc written, and only with an arc.
  const Case cases[] = {
      // A sound arc for reference: nothing counted.
      {"G02 X10 Y0 R6", {"G17G02X10.000R6.001"}, {"G17G02X10.000I5.000J-3.317"}, 0, 0},
      // No radius: a bare G17G02 before; now a straight cut to where it ends.
      {"G02 X0 Y0 I0 J0", {}, {}, 1, 0},
      {"G02 X4 Y0 I0 J0", {"X4.000"}, {"X4.000"}, 1, 0},
      // I/J/K that miss the end: radius 3 at the start, 7 at the end.
      {"G03 X10 Y0 I3 J0", {"X10.000"}, {"X10.000"}, 1, 0},
      // R shorter than half the chord, read as a half circle: R cannot name it.
      {"G02 X10 Y0 R4", {"G17G02X10.000I5.000"}, {"G17G02X10.000I5.000"}, 0, 1},
      // A full circle, and a helical one: no R names them.
      {"G03 X0 Y0 I5 J0", {"G17G03I5.000"}, {"G17G03I5.000"}, 0, 1},
      {"G02 X0 Y0 Z-1 I5 J0", {"G17G02Z-1.000I5.000"}, {"G17G02Z-1.000I5.000"}, 0, 1},
  };
  for (const Case& c : cases) {
    const std::string program = std::string("G00 X0 Y0 Z5\nG01 Z0 F100\n") + c.arc + "\nG01 X20 Y20\n";
    for (const bool radius : {true, false}) {
      options_.ijkToR = radius;
      Lines body = Body(program);
      ASSERT_GE(body.size(), 3u) << c.arc;
      EXPECT_EQ(Lines(body.begin() + 2, body.end() - 1), radius ? c.byRadius : c.byOffsets)
          << c.arc << (radius ? " by R" : " by I/J/K");
      EXPECT_EQ(result_.arcsAsLines, c.asLines) << c.arc;
      EXPECT_EQ(result_.arcsByOffsets, radius ? c.radiusByOffsets : 0) << c.arc;
    }
  }
}

// After a rapid move an arc written as a line states its G01; an arc after it is a new arc
// (its G02 is written, not taken as continued), and in the Heidenhain form it is an L line.
TEST_F(WriterRefusalTest, AnArcWrittenAsALineLeavesTheModalStateOfALine) {
  const std::string program = "G00 X1 Y0 Z0\nG02 X4 Y0 I0 J0 F100\nG02 X8 Y0 I2 J0\nG00 Z5\n";
  EXPECT_EQ(Body(program), (Lines{"G00X1.000Y0.000Z0.000", "G01X4.000F100", "G17G02X8.000I2.000", "G00Z5.000"}));
  options_.heidenhain = true;
  const Lines lines = Write(program);
  EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with("LX4.000F100"); }),
            lines.end())
      << testing::PrintToString(lines);
  EXPECT_EQ(result_.arcsAsLines, 1);
}

// Incremental output writes its cuts in G91 and every absolute position after a G90: the
// retract of the footer, the source program's end part, the start line of the next layer
// (after which the layer's first cut states G91 again), and the first cut of a program that
// starts with one is measured from the start line.
TEST_F(WriterRefusalTest, IncrementalOutputGoesBackToAbsoluteWhereItWritesPositions) {
  options_.incremental = true;
  EXPECT_EQ(Write("G01 X1 Y2 Z-1 F100\nX3\n"),
            (Lines{"%", "G90G00G17X1.000Y2.000Z-1.000", "G91G01F100", "X2.", "G90G00Z-1.000", "M09", "M30", "%"}));

  const fs::path source = dir_ / "source.nc";
  {
    std::ofstream(source) << "%\nO1\nG00 X0 Y0 Z10\nG01 Z0 F100\nX5\nG00 Z50\nM30\n%\n";
  }
  options_.sourcePath = source.string();
  options_.useSourceStartEnd = true;
  const Lines fromSource = Write("G00 X0 Y0 Z10\nG01 Z0 F100\nX5\n");
  ASSERT_GE(fromSource.size(), 6u);
  EXPECT_EQ(Lines(fromSource.end() - 6, fromSource.end()), (Lines{"X5.", "G90", "G00 Z50", "M30", "%", ""}));
  options_.useSourceStartEnd = false;

  db_ = std::make_unique<ToolpathDatabase>();
  AppendText(*db_, "G01 X1 Y1 Z0 F100\nX5\n");
  db_->SaveToLayer(0);
  NcOutputOptions layered = LayerOutputOptions(*db_);
  layered.outputPath = options_.outputPath;
  layered.incremental = true;
  layered.diagonalRapidCheck = false;
  ASSERT_TRUE(WriteLayerNcProgram(*db_, {0, 0}, layered, prompts_).ok());
  const Lines lines = SplitLines(ReadFile(options_.outputPath));
  const auto layerStart = std::find(lines.begin(), lines.end(), "G90G00G17X1.000Y1.000Z0.000");
  ASSERT_LT(layerStart + 2, lines.end());
  EXPECT_EQ(Lines(layerStart, lines.end()),
            (Lines{"G90G00G17X1.000Y1.000Z0.000", "G91G01F100", "X4.", "G90G00G17X1.000Y1.000Z0.000", "G91G01", "X4.",
                   "G90G00Z0.000", "M09", "M30", "%"}));
}

}  // namespace
}  // namespace fendo
