#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/arc_rule.h"
#include "core/nc_reader.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_text.h"
#include "feed/set_all_feeds.h"
#include "output/format_increment.h"
#include "output/nc_writer.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/text_lines.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadFile;
using test::SplitLines;

class WriterTest : public testing::Test {
 protected:
  WriterTest() {
    options_.outputPath = (dir_ / "out.nc").string();
    options_.openEditor = false;
  }

  // Reads `program`, writes it with the test's options and returns the written lines.
  Lines Write(std::string_view program, NcOptions reader = {}) {
    db_.options = reader;
    AppendText(db_, program);
    result_ = WriteNcProgram(db_, options_, prompts_);
    return SplitLines(ReadFile(options_.outputPath));
  }

  const test::TempDir dir_;
  ToolpathDatabase db_;
  NcOutputOptions options_;
  test::ScriptedPrompts prompts_;
  WriteResult result_;
};

TEST_F(WriterTest, AbsoluteIsoWritesChangedWordsOnly) {
  using test::Rec;
  using K = MoveKind;
  test::Fill(db_, {Rec(K::RapidStart, 10, 20, 50), Rec(K::FeedStart, 10, 20, 0, 500), Rec(K::Feed, 20, 20, 0, 500),
                   Rec(K::Feed, 20, 20, 0, 500), Rec(K::Feed, 20, 20, 0, 700), Rec(K::RapidStart, 20, 20, 50)});
  result_ = WriteNcProgram(db_, options_, prompts_);
  EXPECT_EQ(SplitLines(ReadFile(options_.outputPath)),
            (Lines{"%", "G90G00G17X10.000Y20.000Z50.000", "G00X10.000Y20.000Z50.000", "G01Z0.000F500", "X20.000",
                   "F700", "G00Z50.000", "G00Z50.000", "M09", "M30", "%"}))
      << "the start line does not count as written; a repeated move writes nothing; a new feed alone its F";
  EXPECT_TRUE(result_.ok());
}

TEST_F(WriterTest, IncrementalCutsRoundAndRapidsGoBackToAbsolute) {
  options_.incremental = true;
  const Lines lines = Write("G00 X0 Y0 Z5\nG01 X0.25 F300\nX0.2504\nX10.05 Y-100\nG00 Z20\nG01 Z19.9996 F300\n");
  EXPECT_EQ(lines, (Lines{"%", "G90G00G17X0.000Y0.000Z5.000", "G00X0.000Y0.000Z5.000", "G91G01X.25F300", "X9.8Y-100.",
                          "G90G00Z20.000", "G91G01F300", "G90G00Z20.000", "M09", "M30", "%"}))
      << "0.0004 rounds away: no line for a Feed, no axis word for a FeedStart; the rapid writes no X, "
         "since the increments brought the machine to the X its word would name; the retract after a cut goes back to absolute";
}

TEST_F(WriterTest, FormatIncrementDropsNeedlessZerosAndRoundsTheValues) {
  std::array<double, 3> values = {12.5, 0.25, -0.25};
  std::array<std::string, 3> texts;
  FormatIncrement(values, texts, 3);
  EXPECT_EQ(texts, (std::array<std::string, 3>{"12.5", ".25", "-.25"}));
  values = {100, 10.05, -100.0004};
  FormatIncrement(values, texts, 3);
  EXPECT_EQ(texts, (std::array<std::string, 3>{"100.", "10.05", "-100."}));
  EXPECT_EQ(values[2], -100);
}

TEST_F(WriterTest, ArcsByRadiusOrOffsetsInTheirPlanes) {
  const std::string program =
      "G00 X1 Y0 Z5\nG01 Z0 F100\n"
      "G03 X3.5 Y2.5 I0 J2.5\n"       // radius exactly 2.5: written raised by 0.0005
      "X2.5 Y3.5 I0 J1\n"             // same direction and plane: a continued arc, over half a turn
      "G02 X2.5 Y3.5 Z-1 I0 J1\n"     // a helical full circle: no R describes it
      "G18 G02 X4.5 Z1 I0 K2\n"
      "G19 G03 Y4.5 Z2 J1 K0\n";
  const Lines radius = Write(program);
  EXPECT_EQ(Lines(radius.begin() + 4, radius.end() - 4),
            (Lines{"G17G03X3.500Y2.500R2.501", "X2.500Y3.500R-1.000", "G02Z-1.000J1.000", "G18G02X4.500Z1.000R2.001",
                   "G19G03Y4.500Z2.000R-1.000"}));
  options_.ijkToR = false;
  db_.recordCount = 0;
  const Lines offsets = Write(program);
  EXPECT_EQ(Lines(offsets.begin() + 4, offsets.end() - 4),
            (Lines{"G17G03X3.500Y2.500J2.500", "X2.500Y3.500J1.000", "G02Z-1.000J1.000", "G18G02X4.500Z1.000K2.000",
                   "G19G03Y4.500Z2.000J1.000"}));
}

// Near half a turn the centre of an R arc lies close to the chord, and the R the writer raises
// and rounds moves it far along the chord's normal: an R45 half circle written as R45.001 comes
// back with its far point 0.3 mm out. Arcs whose written R would move a point by more than
// 0.001 mm are written by their offsets; the others keep their R.
TEST_F(WriterTest, ArcsNearHalfATurnAreWrittenByTheirOffsets) {
  // Arcs of radius 65 from (65, 0) counter-clockwise to points of the circle with whole
  // coordinates: no rounding but R's own. 65.0005 is written R65.001.
  struct Case {
    double x, y;  // the end point
    const char* radiusWord;
  };
  const Case cases[] = {
      {39, 52, "R65.001"},      //  53.1°: R kept
      {-25, 60, "R65.001"},     // 112.6°
      {-33, 56, nullptr},       // 120.5°: the middle of the arc would move 0.00103 mm
      {-56, 33, nullptr},       // 149.5°
      {-63, 16, nullptr},       // 165.7°
      {-65, 0, nullptr},        // 180°
      {-63, -16, nullptr},      // 194.3°
      {-39, -52, nullptr},      // 233.1°
      {52, -39, nullptr},       // 323.1°: beyond half a turn a raised R moves the far side out
  };
  for (const Case& c : cases) {
    char program[160];
    std::snprintf(program, sizeof program, "G00 X65 Y0 Z5\nG01 Z0 F100\nG03 X%g Y%g I-65 J0\n", c.x, c.y);
    db_.recordCount = 0;
    const Lines lines = Write(program);
    const std::string arc = lines[lines.size() - 5];
    const std::string where = std::string("arc to ") + std::to_string(c.x) + ", " + std::to_string(c.y) + ": " + arc;
    if (c.radiusWord) {
      EXPECT_TRUE(arc.ends_with(c.radiusWord)) << where;
    } else {
      EXPECT_NE(arc.find("I-65.000"), std::string::npos) << where;
    }
    ToolpathDatabase again;
    AppendText(again, ReadFile(options_.outputPath));
    const Arc held = ArcGeometry(db_, 2);
    const Arc read = ArcGeometry(again, 2);
    for (int k = 0; k <= 360; ++k) {
      const double fraction = k / 360.0;
      ASSERT_LT(Length(ArcPointAt(held, fraction) - ArcPointAt(read, fraction)), 0.001) << where;
    }
  }
}

// The example's R45 half circles (and its R10 one) come back from their own ISO output where
// they were; its R-25 arc, whose R needs no raising, keeps its R.
TEST_F(WriterTest, TheFlangesHalfCirclesComeBackWhereTheyWere) {
  NcOptions heidenhain;
  heidenhain.heidenhainInputChk = true;
  const Lines lines = Write(ReadFile(fs::path(FENDO_TEST_DATA_DIR) / "../../examples/flange.h"), heidenhain);
  const auto byRadius = [](const std::string& line) { return line.find('R') != std::string::npos; };
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), byRadius), 1);
  ToolpathDatabase again;
  AppendText(again, ReadFile(options_.outputPath));
  int arcs = 0;
  for (int i = 0; i < db_.recordCount; ++i) {
    if (!IsArcKind(db_.RecordAt(i)->kind)) continue;
    const Arc held = ArcGeometry(db_, i);
    int j = 0;
    for (int seen = 0; j < again.recordCount; ++j) {
      if (IsArcKind(again.RecordAt(j)->kind) && seen++ == arcs) break;
    }
    ASSERT_LT(j, again.recordCount);
    const Arc read = ArcGeometry(again, j);
    for (int k = 0; k <= 360; ++k) {
      ASSERT_LT(Length(ArcPointAt(held, k / 360.0) - ArcPointAt(read, k / 360.0)), 0.001) << "arc " << arcs;
    }
    ++arcs;
  }
  EXPECT_EQ(arcs, 5);
}

TEST_F(WriterTest, HeaderCommentToolBlockAndMachiningInformation) {
  options_.programNumberOn = true;
  options_.programNumber = 1234;
  options_.toolChange = true;
  options_.toolNumber = 3;
  options_.lengthOffset = 13;
  options_.spindleSpeed = 9000;
  options_.machiningInfo = true;
  options_.comment = "  ROUGH\r\nSECOND LINE  \r\n";
  const Lines lines = Write("G00 X1 Y2 Z30\nG01 Z0 F1000\nX101\nG00 Z30\n");
  EXPECT_EQ(lines, (Lines{"%", "O1234", "(ROUGH)\r", "(SECOND LINE)", "G90G00G17X1.000Y2.000Z30.000", "Z30.000",
                          "G49", "G28G91Z0.0T3M06", "G90", "G43Z30.000H13", "G00X1.000Y2.000", "S9000M03",
                          "G00X1.000Y2.000Z30.000", "G01Z0.000F1000", "X101.000", "G00Z30.000", "G00Z30.000", "M09",
                          "M30", "%", "(MIN X = 1.000000      MAX X = 101.000000 )",
                          "(MIN Y = 2.000000      MAX Y = 2.000000 )", "(MIN Z = 0.000000      MAX Z = 30.000000 )",
                          "(CUTTING TIME = 0.14 MIN)"}))
      << "cutting time: 30 mm + 100 mm at F1000 and the 30 mm retract at the rapid rate";
}

TEST_F(WriterTest, SequenceNumbersRunToTenThousandAndStartAgain) {
  options_.sequenceNumbers = true;
  std::string program = "G00 X0 Y0 Z0\nG01 F100\n";
  for (int i = 1; i <= 10005; ++i) program.append("X").append(std::to_string(i)).append("\n");
  const Lines lines = Write(program);
  const auto at = [&lines](std::string_view prefix) {
    return std::find_if(lines.begin(), lines.end(), [prefix](const std::string& l) { return l.starts_with(prefix); });
  };
  ASSERT_NE(at("N10000X"), lines.end());
  EXPECT_TRUE(std::next(at("N10000X"))->starts_with("N1X")) << *std::next(at("N10000X"));
  EXPECT_EQ(lines.front(), "%");
  EXPECT_EQ(lines[1], "N1G90G00G17X1.000Y0.000Z0.000");
}

TEST_F(WriterTest, HeidenhainFormWritesPolesForArcsAndChordsOutsideXY) {
  options_.heidenhain = true;
  options_.toolChange = true;
  options_.toolNumber = 5;
  options_.spindleSpeed = 4000;
  options_.programNumber = 7;
  const Lines lines = Write("G00 X10 Y0 Z5\nG01 Z0 F200\nG03 X-10 Y0 I-10 J0\nX10 I10 J0 F300\nG00 Z5\n");
  EXPECT_EQ(lines, (Lines{"1 BEGIN PGM 7 MM", "2 BLK FORM 0.1 Z X+0.000 Y+0.000 Z-100.000",
                          "3 BLK FORM 0.2 X+100.000 Y+100.000 Z+0.000", "4LX10.000Y0.000Z5.000FMAX",
                          "5TOOL DEF 5 L+0.000 R+0.000", "6TOOL CALL 5 Z S4000", "7LZ5.000FMAX", "8M03M08",
                          "9LX10.000Y0.000Z5.000FMAX", "10LZ0.000F200", "11CCX0.000Y0.000", "12CX-10.000DR+F200",
                          "13CCX0.000Y0.000", "14CX10.000DR+F300", "15LZ5.000FMAX", "16 END PGM 7 MM"}));
  EXPECT_TRUE(CheckNcOutputOptions(NcOutputOptions{.heidenhain = true, .incremental = true}));
}

TEST_F(WriterTest, DiagonalRapidsAreQuestionedOnce) {
  const std::string program = "G00 X0 Y0 Z50\nG00 X5 Y0 Z10\nG01 Z0 F100\nG00 X9 Z20\nX20 Y20\n";
  prompts_.okAnswers = {true};
  const Lines stopped = Write(program);
  EXPECT_EQ(result_.status, WriteStatus::Stopped);
  EXPECT_EQ(stopped.back(), "G00X0.000Y0.000Z50.000") << "the part written is kept";
  EXPECT_EQ(prompts_.messages, (Lines{"Fendo message:  사선으로 이동 되는 급속이송이 발견 되었습니다!!!.",
                                      "Fendo message:  중지 하겠습니까?"}));

  prompts_.messages.clear();
  prompts_.okAnswers = {false};
  db_.recordCount = 0;
  const Lines goneOn = Write(program);
  EXPECT_TRUE(result_.ok());
  EXPECT_EQ(prompts_.messages.size(), 2u) << "after going on, the rest of the run is not asked";
  EXPECT_NE(std::find(goneOn.begin(), goneOn.end(), "G00X9.000Z20.000"), goneOn.end());

  prompts_.messages.clear();
  options_.diagonalRapidCheck = false;
  db_.recordCount = 0;
  Write(program);
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(WriterTest, SourceStartAndEndReplaceHeaderAndFooter) {
  const fs::path source = dir_ / "source.nc";
  std::ofstream(source) << "%\nO7\n(POST/V2)\nG90 G54\nG00 X0 Y0\nG43 H1 Z50\nZ2\nG01 Z-1 F100\nX10\n"
                           "G00 Z50\nG28 X0 Y0\nM30\n%\n";
  options_.sourcePath = source.string();
  options_.useSourceStartEnd = true;
  const Lines lines = Write("G00 X1 Y1 Z5\nG01 Z0 F50\n");
  EXPECT_EQ(lines, (Lines{"%", "O7", "G90 G54", "G00 X0 Y0", "G43 H1 Z50", "", "G00X1.000Y1.000Z5.000",
                          "G01Z0.000F50", "G00 Z50", "G28 X0 Y0", "M30", "%", ""}))
      << "the approach line Z2 and the comment line are not taken; the end starts at the last Z retract";

  std::string longStart = "%\n";
  for (int i = 0; i < 60; ++i) longStart.append("M").append(std::to_string(i)).append("\n");
  std::ofstream(source) << longStart << "G00 X0\nG01 X1 F10\n";
  db_.recordCount = 0;
  EXPECT_EQ(Write("G00 X1 Y1 Z5\n").front(), "%") << "a start part over 50 lines is no header";
}

TEST_F(WriterTest, FailuresAreReportedWithTheirReason) {
  options_.outputPath = (dir_ / "missing" / "out.nc").string();
  AppendText(db_, "G00 X1\n");
  WriteResult result = WriteNcProgram(db_, options_, prompts_);
  EXPECT_EQ(result.status, WriteStatus::CannotCreate);
  EXPECT_FALSE(result.reason.empty());
  if (fs::exists("/dev/full")) {
    options_.outputPath = "/dev/full";
    result = WriteNcProgram(db_, options_, prompts_);
    EXPECT_EQ(result.status, WriteStatus::WriteFailed) << "a full disk is no written program";
  }
}

TEST(LayerList, NumbersAndRangesInOrder) {
  EXPECT_EQ(ParseLayerList("3 0-2 7"), (std::vector<int>{3, 0, 1, 2, 7}));
  EXPECT_EQ(ParseLayerList("  5-3 4 4 "), (std::vector<int>{4, 4}));
  EXPECT_EQ(ParseLayerList("256 254-300"), (std::vector<int>{254, 255}));
  EXPECT_EQ(ParseLayerList(""), std::vector<int>{});
  EXPECT_EQ(ParseLayerList("0-255 0-255").size(), 256u);
}

TEST_F(WriterTest, LayerOutputWritesEachLayerWithItsHeaderFromTheSlots) {
  AppendText(db_, "G00 X7 Y7 Z10\nG01 Z-1 F200\n");
  db_.SaveToLayer(2);
  db_.layers[2].toolNumber = 2;
  db_.layers[2].lengthOffset = 2;
  db_.layers[2].spindle = 3000;
  db_.layers[2].comment = "SECOND\r\n";
  db_.recordCount = 0;
  AppendText(db_, "G00 X9 Y9 Z9\n");  // the work buffer of layer 0, not yet saved to its slot
  db_.layers[0].comment = "FIRST\r\n";
  const int before = db_.recordCount;
  NcOutputOptions layered = LayerOutputOptions(db_);
  layered.outputPath = options_.outputPath;
  const WriteResult result = WriteLayerNcProgram(db_, {2, 0}, layered, prompts_);
  ASSERT_TRUE(result.ok()) << result.reason;
  EXPECT_EQ(SplitLines(ReadFile(options_.outputPath)),
            (Lines{"%", "(SECOND)", "G90G00G17X7.000Y7.000Z10.000", "Z10.000", "G49", "G28G91Z0.0T2M06", "G90",
                   "G43Z10.000H2", "G00X7.000Y7.000", "S3000M03", "G00X7.000Y7.000Z10.000", "G01Z-1.000F200",
                   "(FIRST)", "G90G00G17X9.000Y9.000Z9.000", "S3000M03", "G00X9.000Y9.000Z9.000", "G00Z9.000",
                   "M09", "M30", "%"}))
      << "layer 0 is written as the work buffer holds it, saved to its slot first; the spindle carries on";
  EXPECT_EQ(db_.recordCount, before);
  fs::remove(options_.outputPath);
  EXPECT_EQ(WriteLayerNcProgram(db_, {}, layered, prompts_).status, WriteStatus::NoMotion);
  EXPECT_FALSE(fs::exists(options_.outputPath)) << "an empty list writes nothing";
}

// In the layer output a cut after a rapid move leaves its F out when the rapid record carries
// it: but only when that F is the one the machine holds, the last one written.
TEST_F(WriterTest, LayerOutputWritesTheFeedOfEveryLayersFirstCut) {
  const auto layer = [&](int slot, int feed) {
    db_.recordCount = 0;
    AppendText(db_, "G00 X1 Y1 Z5\nG01 Z0 F100\nX2\n");
    SetAllFeeds(db_, feed);  // the rapid records too
    db_.SaveToLayer(slot);
  };
  layer(1, 800);
  layer(2, 300);
  layer(3, 300);
  NcOutputOptions layered = LayerOutputOptions(db_);
  layered.outputPath = options_.outputPath;
  ASSERT_TRUE(WriteLayerNcProgram(db_, {1, 2, 3}, layered, prompts_).ok());
  Lines feeds;
  for (const std::string& line : SplitLines(ReadFile(options_.outputPath))) {
    if (line.find("G01") != std::string::npos) feeds.push_back(line);
  }
  EXPECT_EQ(feeds, (Lines{"G01Z0.000F800", "G01Z0.000F300", "G01Z0.000"}));
}

// --- Round trips: read, write, read back.

// A random program with lines and arcs in all three planes, with three decimals as a CAM
// system writes them.
std::string GeneratedProgram(int moves, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> step(-5, 5);
  std::uniform_real_distribution<double> radius(1, 20);
  std::uniform_real_distribution<double> angle(0, 6.28);
  std::uniform_real_distribution<double> sweep(0.3, 6.0);
  const auto rounded = [](double v) { return std::round(v * 1000) / 1000; };
  const char* planeWords[3] = {"G17", "G18", "G19"};
  const int planeAxes[3][2] = {{0, 1}, {2, 0}, {1, 2}};  // each plane's cosine and sine axes
  const char axisNames[3] = {'X', 'Y', 'Z'};
  const char offsetNames[3] = {'I', 'J', 'K'};
  double p[3] = {0, 0, 0};
  std::ostringstream out;
  out.setf(std::ios::fixed);
  out.precision(3);
  out << "G00 X0 Y0 Z10\nG01 Z0 F800\n";
  for (int m = 0; m < moves; ++m) {
    if (random() % 4 != 0) {
      for (double& v : p) v = rounded(v + step(random));
      out << "G01 X" << p[0] << " Y" << p[1] << " Z" << p[2] << " F" << 300 + random() % 2000 << "\n";
      continue;
    }
    const int plane = static_cast<int>(random() % 3);
    const int u = planeAxes[plane][0];
    const int v = planeAxes[plane][1];
    const double r = radius(random);
    const double a0 = angle(random);
    const bool counterClockwise = random() % 2;
    const double a1 = a0 + (counterClockwise ? sweep(random) : -sweep(random));
    // The start lies at angle a0 on a circle about the centre; the offsets lead to the centre.
    const double offsetU = rounded(-r * std::cos(a0));
    const double offsetV = rounded(-r * std::sin(a0));
    const double centreU = p[u] + offsetU;
    const double centreV = p[v] + offsetV;
    const double rr = std::hypot(offsetU, offsetV);
    p[u] = rounded(centreU + rr * std::cos(a1));
    p[v] = rounded(centreV + rr * std::sin(a1));
    out << planeWords[plane] << (counterClockwise ? " G03" : " G02");
    for (int a = 0; a < 3; ++a) out << ' ' << axisNames[a] << p[a];
    out << ' ' << offsetNames[u] << offsetU << ' ' << offsetNames[v] << offsetV << "\n";
  }
  out << "G00 Z50\n";
  return out.str();
}

std::vector<Point3> MotionPoints(ToolpathDatabase& db) {
  std::vector<Point3> points;
  db.ForEachRecord([&points](int, const ToolpathRecord& r) {
    if (IsMotionKind(r.kind)) points.push_back(PositionOf(r));
  });
  return points;
}

void ExpectSamePoints(const std::vector<Point3>& want, const std::vector<Point3>& got, double tolerance,
                      const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < want.size(); ++i) {
    ASSERT_NEAR(got[i].x, want[i].x, tolerance) << what << " point " << i;
    ASSERT_NEAR(got[i].y, want[i].y, tolerance) << what << " point " << i;
    ASSERT_NEAR(got[i].z, want[i].z, tolerance) << what << " point " << i;
  }
}

TEST_F(WriterTest, RoundTripsKeepTheGeometry) {
  struct Case {
    std::string name;
    std::string program;
    NcOptions reader;
  };
  const auto example = [](const char* name) { return ReadFile(fs::path(FENDO_TEST_DATA_DIR) / "../../examples" / name); };
  NcOptions heidenhain;
  heidenhain.heidenhainInputChk = true;
  const Case cases[] = {{"bracket.nc", example("bracket.nc"), {}},
                        {"flange.h", example("flange.h"), heidenhain},
                        {"generated", GeneratedProgram(2000, 7), {}}};
  for (const Case& c : cases) {
    for (const bool incremental : {false, true}) {
      ToolpathDatabase original;
      original.options = c.reader;
      AppendText(original, c.program);
      NcOutputOptions options = options_;
      options.incremental = incremental;
      options.diagonalRapidCheck = false;
      ASSERT_TRUE(WriteNcProgram(original, options, prompts_).ok());
      ToolpathDatabase again;
      AppendText(again, ReadFile(options.outputPath));
      std::vector<Point3> want = MotionPoints(original);
      want.insert(want.begin(), want.front());  // the start line repeats the first point
      want.push_back({want.back().x, want.back().y, std::max(want.back().z, static_cast<double>(want[1].z))});
      std::vector<Point3> got = MotionPoints(again);
      // Records that move nowhere are not written; compare the points where the tool goes.
      const auto dedupe = [](std::vector<Point3> points) {
        points.erase(std::unique(points.begin(), points.end(),
                                 [](Point3 a, Point3 b) { return Length(a - b) < 1e-9; }),
                     points.end());
        return points;
      };
      ExpectSamePoints(dedupe(want), dedupe(got), 0.0005, c.name + (incremental ? " incremental" : " absolute"));
    }
  }
}

TEST_F(WriterTest, IncrementalOutputDoesNotDriftOverALongProgram) {
  std::string program = "G00 X0 Y0 Z1\nG01 Z0 F1000\n";
  std::mt19937 random(3);
  std::uniform_real_distribution<double> step(-0.3, 0.3);
  double x = 0, y = 0;
  char word[80];
  for (int i = 0; i < 100000; ++i) {
    x += step(random);
    y += step(random);
    std::snprintf(word, sizeof word, "X%.4f Y%.4f\n", x, y);
    program += word;
  }
  options_.incremental = true;
  Write(program);
  ASSERT_TRUE(result_.ok());
  ToolpathDatabase again;
  AppendText(again, ReadFile(options_.outputPath));
  const std::vector<Point3> want = MotionPoints(db_);
  const std::vector<Point3> got = MotionPoints(again);
  // The last cut of the program: its end must be where the original ends, rounding or not.
  const Point3 end = want.back();
  const auto found = std::find_if(got.rbegin(), got.rend(), [&](Point3 p) { return std::fabs(p.z) < 1e-9; });
  EXPECT_NEAR(found->x, end.x, 0.0005);
  EXPECT_NEAR(found->y, end.y, 0.0005);
}

TEST_F(WriterTest, TheRetractAfterIncrementalCutsReadsBackAsTheHeightItNames) {
  options_.incremental = true;
  Write("G00 X0 Y0 Z5\nG01 Z-2 F300\nX10\n");
  ToolpathDatabase again;
  AppendText(again, ReadFile(options_.outputPath));
  const std::vector<Point3> points = MotionPoints(again);
  ASSERT_FALSE(points.empty());
  EXPECT_DOUBLE_EQ(points.back().z, 5) << "the program ends at the height it started from, not 5 mm above the cut";
  EXPECT_DOUBLE_EQ(points.back().x, 10);
}

TEST_F(WriterTest, HeidenhainOutputReadsBackToTheSameEndPoints) {
  options_.heidenhain = true;
  options_.diagonalRapidCheck = false;
  const std::string program = ReadFile(fs::path(FENDO_TEST_DATA_DIR) / "../../examples/bracket.nc");
  Write(program);
  ASSERT_TRUE(result_.ok());
  NcOptions heidenhain;
  heidenhain.heidenhainInputChk = true;
  ToolpathDatabase again;
  again.options = heidenhain;
  AppendText(again, ReadFile(options_.outputPath));
  ExpectSamePoints(MotionPoints(db_), MotionPoints(again), 0.0005, "bracket.nc in the Heidenhain form");
  std::vector<MoveKind> kinds, kindsAgain;
  db_.ForEachRecord([&kinds](int, const ToolpathRecord& r) { kinds.push_back(r.kind); });
  again.ForEachRecord([&kindsAgain](int, const ToolpathRecord& r) { kindsAgain.push_back(r.kind); });
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), MoveKind::FeedStart),
            std::count(kindsAgain.begin(), kindsAgain.end(), MoveKind::FeedStart))
      << "rapid moves are read back as rapid moves";
}

// The status bar follows a long write: reports of the records walked of all to be written,
// rising to the whole, for one program and for the layers of a layer output together.
TEST_F(WriterTest, LongWritesReportTheirProgress) {
  struct Reports : Progress {
    void Report(std::string_view text, std::int64_t done, std::int64_t total) override {
      EXPECT_EQ(text, "Ncdata 저장");
      seen.emplace_back(done, total);
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> seen;
  };
  constexpr int kRecords = 200000;
  std::vector<ToolpathRecord> records{test::Rec(MoveKind::RapidStart, 0, 0, 5)};
  for (int i = 1; i < kRecords; ++i) records.push_back(test::Rec(MoveKind::Feed, static_cast<float>(i % 100), 0, 0, 500));
  test::Fill(db_, records);
  Reports single;
  ASSERT_TRUE(WriteNcProgram(db_, options_, prompts_, &single).ok());
  ASSERT_EQ(single.seen.size(), 3u);
  EXPECT_EQ(single.seen.back(), std::make_pair(std::int64_t{196608}, std::int64_t{kRecords}));

  db_.SaveToLayer(0);
  NcOutputOptions layered = LayerOutputOptions(db_);
  layered.outputPath = options_.outputPath;
  Reports layers;
  ASSERT_TRUE(WriteLayerNcProgram(db_, {0, 0}, layered, prompts_, &layers).ok());
  ASSERT_EQ(layers.seen.size(), 6u) << "the second layer carries on from the first";
  EXPECT_EQ(layers.seen.back(), std::make_pair(std::int64_t{393216}, std::int64_t{2 * kRecords}));
}

}  // namespace
}  // namespace fendo
