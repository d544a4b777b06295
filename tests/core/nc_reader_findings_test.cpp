// What the reader does with programs that do not say everything, or say it badly: axes stated
// only after the first move, lines ended by carriage returns, words it cannot use, comments
// among the words, the wrong dialect and the Heidenhain tool call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/line_reader.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

NcOptions Heidenhain() {
  NcOptions options;
  options.heidenhainInputChk = true;
  return options;
}

// What a reading gave: its result, its records and the work layer's header data.
struct Reading {
  LoadResult result;
  Lines records;
  std::string comment;
  int toolNumber = 0, lengthOffset = 0, spindle = 0, programNumber = 0;
};

Reading ReadText(const std::string& program, NcOptions options = {}) {
  ToolpathDatabase db;
  db.options = options;
  Reading reading;
  reading.result = AppendText(db, program);
  reading.records = test::Records(db);
  const LayerSlot& layer = db.layers[db.layers.workLayer];
  reading.comment = layer.comment;
  reading.toolNumber = layer.toolNumber;
  reading.lengthOffset = layer.lengthOffset;
  reading.spindle = layer.spindle;
  reading.programNumber = layer.programNumber;
  return reading;
}

struct FirstMovesCase {
  const char* what;
  std::string program;
  bool heidenhain;
  Lines records;
  unsigned lateAxes;
  Point3 lateValues;
};

class FirstMoves : public testing::TestWithParam<FirstMovesCase> {};

TEST_P(FirstMoves, TakeTheAxesTheProgramStatesLater) {
  const FirstMovesCase& c = GetParam();
  const Reading reading = ReadText(c.program, c.heidenhain ? Heidenhain() : NcOptions{});
  EXPECT_EQ(reading.records, c.records) << c.what;
  EXPECT_EQ(reading.result.lateAxes.axes, c.lateAxes) << c.what;
  if (c.lateAxes != 0) {
    EXPECT_EQ(reading.result.lateAxes.values, c.lateValues) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Reader, FirstMoves, testing::Values(
  FirstMovesCase{"the height comes with the length offset after the first rapid (no rapid at Z0)",
    "G00 X-20 Y-20\nG43 H3 Z50\nG00 X-8 Y4\nZ2\n", false,
    {"1 -20 -20 50 0", "1 -8 4 50 0", "2 -8 4 2 0"}, kAxisZ, {0, 0, 50}},
  FirstMovesCase{"every move before the statement takes it, centre offsets stay",
    "G01 X1 F100\nG02 X11 I5\nG01 Z-2\nX3\n", false,
    {"3 1 0 -2 100", "8 11 0 -2 100", "91 5 0 0 100", "3 3 0 -2 100"}, kAxisZ, {0, 0, -2}},
  FirstMovesCase{"a program that never states the axis keeps 0",
    "G00 X1 Y1\nG01 X2 F100\n", false, {"1 1 1 0 0", "3 2 1 0 100"}, 0, {}},
  FirstMovesCase{"axes stated before the first move change nothing",
    "Z50\nG00 X1\nZ5\n", false, {"1 1 0 50 0", "2 1 0 5 0"}, 0, {}},
  FirstMovesCase{"an incremental word moves from where the reader stands",
    "G00 X1\nG91 Z-5\nG90 Z7\n", false, {"1 1 0 0 0", "2 1 0 -5 0", "2 1 0 7 0"}, 0, {}},
  FirstMovesCase{"a dropped block states nothing",
    "G00 X1\nG01 Z F100\nZ3\n", false, {"1 1 0 3 0"}, kAxisZ, {0, 0, 3}},
  FirstMovesCase{"Heidenhain: the clearance height after the first positioning",
    "L X+1 Y+1 R0 FMAX\nL Z+50 R0 FMAX\nL Z+2 F100\n", true, {"1 1 1 50 0", "3 1 1 2 100"}, kAxisZ, {0, 0, 50}},
  FirstMovesCase{"Heidenhain: IZ is incremental",
    "L X+1 FMAX\nL IZ-5 FMAX\nL Z+7\n", true, {"1 1 0 0 0", "2 1 0 -5 0", "2 1 0 7 0"}, 0, {}}));

TEST(FirstMoves, AnAddedProgramCarriesOnFromTheProgramBefore) {
  ToolpathDatabase db;
  AppendText(db, "G00 X1 Y1 Z10\n");
  const LoadResult added = AppendText(db, "G00 X5\nZ50\n");
  EXPECT_EQ(test::Records(db), (Lines{"1 1 1 10 0", "1 5 1 10 0", "2 5 1 50 0"}));
  EXPECT_EQ(added.lateAxes.axes, 0u);
}

Lines AllLines(LineReader& reader) {
  Lines lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, EndsLinesWhereTheFileDoes) {
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"a\rb\r\rlast", {"a", "b", "", "last"}},                  // carriage returns alone
      {"a\rb\r\nc\nd\r", {"a", "b", "c", "d"}},                  // a CR file takes LF and CR LF too
      {"a\r\nb\rc\n", {"a", "b\rc"}},                            // a CR LF file keeps a stray CR
      {"a\nb\r\n", {"a", "b"}},
      {"\r", {""}},
  };
  for (const Case& c : cases) {
    LineReader reader(c.text);
    EXPECT_EQ(AllLines(reader), c.lines) << c.text;
  }
}

TEST(LineReader, ReadsCarriageReturnLinesAcrossItsBlocks) {
  // Three million bytes: the reading blocks end inside lines and between a CR and its LF.
  std::string text;
  Lines expected;
  for (int i = 0; text.size() < 3'000'000; ++i) {
    expected.push_back("G01 X" + std::to_string(i));
    text += expected.back() + (i % 3 == 2 ? "\r\n" : "\r");
  }
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "fendo_cr_lines.nc";
  std::ofstream(path, std::ios::binary) << text;
  std::string reason;
  auto reader = LineReader::Open(path, reason);
  ASSERT_TRUE(reader) << reason;
  EXPECT_EQ(AllLines(*reader), expected);
  EXPECT_EQ(reader->bytesConsumed(), reader->totalBytes());
  std::filesystem::remove(path);
}

TEST(LoadFile, ReadsAProgramWithCarriageReturnLines) {
  const Reading reading = ReadText("%\rO12\rG00 X1 Y2 Z3\rG01 X4 F100\r%\r");
  EXPECT_EQ(reading.records, (Lines{"1 1 2 3 0", "3 4 2 3 100"}));
  EXPECT_EQ(reading.programNumber, 12);
}

TEST(WordsTheReaderCannotUse, AreCountedAndTheRestStands) {
  struct Case {
    const char* what;
    std::string program;
    bool heidenhain;
    Lines records;
    std::int64_t invalid, outOfReach, dropped;
  };
  const Case cases[] = {
      {"a move beyond the coordinate limit is an invalid block", "G00 X1\nG01 X40000 F100\nX2\n", false,
       {"1 1 0 0 0", "3 2 0 0 100"}, 1, 1, 0},
      {"so is an incremental one", "G00 X32000\nG91 X800\nX-800\n", false,
       {"1 32000 0 0 0", "2 31200 0 0 0"}, 1, 1, 0},
      {"Heidenhain too", "L X+1 Y+0 Z+0 FMAX\nL Y-99999 F100\nL Y+2\n", true,
       {"1 1 0 0 0", "2 1 2 0 0"}, 1, 1, 0},
      {"a negative feed is dropped, the block's move stands", "G01 X1 F100\nX2 F-50\n", false,
       {"3 1 0 0 100", "4 2 0 0 100"}, 0, 0, 1},
      {"Heidenhain: the same", "L X+1 F100\nL X+2 F-50\n", true, {"3 1 0 0 100", "4 2 0 0 100"}, 0, 0, 1},
      {"a NUL byte ends the number it is in", "G01 X1\0" "5 Y2 F100\n"s, false, {"3 1 2 0 100"}, 0, 0, 0},
      {"a NUL byte between a letter and its number leaves the letter without one", "G01 X\0" "5 Y2 F100\n"s,
       false, {}, 1, 0, 0},
  };
  for (const Case& c : cases) {
    const Reading reading = ReadText(c.program, c.heidenhain ? Heidenhain() : NcOptions{});
    EXPECT_EQ(reading.records, c.records) << c.what;
    EXPECT_EQ(reading.result.invalidLines, c.invalid) << c.what;
    EXPECT_EQ(reading.result.outOfReachLines, c.outOfReach) << c.what;
    EXPECT_EQ(reading.result.droppedWords, c.dropped) << c.what;
  }
}

TEST(ShortRadiusArcs, AreCountedWhereTheyAreReadAsHalfCircles) {
  struct Case {
    const char* what;
    std::string program;
    bool heidenhain;
    std::int64_t shortArcs;
  };
  const Case cases[] = {
      {"R 4 over a 10 mm chord", "G00 X0 Y0\nG02 X10 R4 F100\n", false, 1},
      {"exactly half the chord is a half circle, not short", "G00 X0 Y0\nG02 X10 R5 F100\n", false, 0},
      {"a negative R counts by its size", "G00 X0 Y0\nG03 X10 R-4.999 F100\n", false, 1},
      {"a longer R", "G00 X0 Y0\nG02 X10 R6 F100\n", false, 0},
      {"Heidenhain CR", "L X+0 Y+0 FMAX\nCR X+10 Y+0 R+4 DR- F100\n", true, 1},
  };
  for (const Case& c : cases) {
    const Reading reading = ReadText(c.program, c.heidenhain ? Heidenhain() : NcOptions{});
    EXPECT_EQ(reading.result.shortRadiusArcs, c.shortArcs) << c.what;
  }
}

TEST(Comments, AreTheParenthesisedTextsOnly) {
  struct Case {
    std::string program;
    std::string comment;
    Lines records;
  };
  const Case cases[] = {
      {"(A) G1 X1 F100 (B) Y2\n", "A B\r\n", {"3 1 2 0 100"}},
      {"(A)(B)\n(  C  )\n", "A B\r\nC\r\n", {}},
      {"(OUTER (INNER) TEXT)\n", "OUTER INNER TEXT\r\n", {}},
      {"G1 X1 F100 (LEFT OPEN\n", "LEFT OPEN\r\n", {"3 1 0 0 100"}},
      {"(ROUGH) G1 X1 F100 ; (NOT READ)\n", "ROUGH\r\n", {"3 1 0 0 100"}},
      {"(NUL\0BYTE)\n"s, "NULBYTE\r\n", {}},
  };
  for (const Case& c : cases) {
    const Reading reading = ReadText(c.program);
    EXPECT_EQ(reading.comment, c.comment) << c.program;
    EXPECT_EQ(reading.records, c.records) << c.program;
  }
}

constexpr const char* kHeidenhainProgram =
    "0 BEGIN PGM PART MM\n"
    "1 BLK FORM 0.1 Z X+0 Y+0 Z-20\n"
    "2 BLK FORM 0.2 X+100 Y+100 Z+0\n"
    "3 TOOL CALL 5 Z S3000\n"
    "4 L Z+50 R0 FMAX M3\n"
    "5 L X-10 Y+0 R0 FMAX\n"
    "6 L Z-2 R0 F200\n"
    "7 CC X+0 Y+0\n"
    "8 C X+10 Y+0 DR+\n"
    "9 L Z+50 R0 FMAX M5\n"
    "10 END PGM PART MM\n";

constexpr const char* kIsoArcs =
    "G90 G17\nG00 X0 Y0 Z5\nG01 Z-1 F100\nG02 X10 Y0 I5 J0\nG03 X0 Y0 R5\n";

TEST(Dialect, AProgramReadInTheWrongDialectIsToldApart) {
  struct Case {
    const char* what;
    const char* program;
    bool heidenhain;
    bool otherDialect;
  };
  const Case cases[] = {
      {"Heidenhain text read as ISO", kHeidenhainProgram, false, true},
      {"ISO arcs read as Heidenhain", kIsoArcs, true, true},
      {"Heidenhain text read as Heidenhain", kHeidenhainProgram, true, false},
      {"ISO read as ISO", kIsoArcs, false, false},
      {"ISO without arcs reads the same in both", "G00 X1 Y1 Z5\nG01 Z-1 F100\nX5\n", true, false},
      {"text that neither dialect reads", "HELLO\nWORLD\n", false, false},
      {"a program of comments", "(ONLY)\n(COMMENTS)\n", false, false},
  };
  for (const Case& c : cases) {
    const Reading reading = ReadText(c.program, c.heidenhain ? Heidenhain() : NcOptions{});
    EXPECT_EQ(reading.result.dialect.otherDialect, c.otherDialect) << c.what;
    EXPECT_EQ(reading.result.status, c.otherDialect ? LoadStatus::OtherDialect : LoadStatus::Ok) << c.what;
  }
  const Reading asIso = ReadText(kHeidenhainProgram);
  EXPECT_EQ(asIso.result.dialect.moves, 0);
  EXPECT_EQ(asIso.result.dialect.otherArcs, 1);
  const Reading asHeidenhain = ReadText(kIsoArcs, Heidenhain());
  EXPECT_EQ(asHeidenhain.result.dialect.arcs, 0);
  EXPECT_EQ(asHeidenhain.result.dialect.otherArcs, 2);
}

TEST(HeidenhainToolCall, IsTheProgramsToolAndSpindle) {
  struct Case {
    const char* program;
    int tool, offset, spindle;
  };
  const Case cases[] = {
      {kHeidenhainProgram, 5, 5, 3000},
      {"0 BEGIN PGM P MM\n1 TOOL CALL \"MILL S1\" Z S2000\n2 END PGM P MM\n", 0, 0, 2000},
      {"0 BEGIN PGM P MM\n1 TOOL CALL 7 Z S900\n2 TOOL CALL Z S1200\n3 END PGM P MM\n", 7, 7, 1200},
      {"0 BEGIN PGM P MM\n1 TOOL CALL 3 Z\n2 END PGM P MM\n", 3, 3, 0},
  };
  for (const Case& c : cases) {
    const Reading reading = ReadText(c.program, Heidenhain());
    EXPECT_EQ(reading.toolNumber, c.tool) << c.program;
    EXPECT_EQ(reading.lengthOffset, c.offset) << c.program;
    EXPECT_EQ(reading.spindle, c.spindle) << c.program;
  }
}

}  // namespace
}  // namespace fendo
