#include <gtest/gtest.h>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using Lines = std::vector<std::string>;

Lines ReadHeidenhain(std::string_view program) {
  NcOptions heidenhain;
  heidenhain.heidenhainInputChk = true;
  return test::Read(program, heidenhain);
}

struct ProgramCase {
  const char* what;
  const char* program;
  Lines records;
};

class HeidenhainPrograms : public testing::TestWithParam<ProgramCase> {};

TEST_P(HeidenhainPrograms, ReadAsExpected) {
  EXPECT_EQ(ReadHeidenhain(GetParam().program), GetParam().records) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Lines, HeidenhainPrograms, testing::Values(
  ProgramCase{"a feed block after a rapid starts a path; L blocks at a feed continue it",
    "L X-5 Y+0 FMAX\nL X+10 Y+5 R0 F200\nL X+20\nL Y+0\n",
    {"1 -5 0 0 0", "3 10 5 0 200", "4 20 5 0 200", "4 20 0 0 200"}},
  ProgramCase{"FMAX keeps the feed, and the rapid mode carries on",
    "L X+1 Y+0 Z+0 F300\nL Z+50 FMAX\nL X+9\nL Z+0 F100\n",
    {"3 1 0 0 300", "1 1 0 50 300", "2 9 0 50 300", "3 9 0 0 100"}},
  ProgramCase{"a feed above 2000 is still a cutting move",
    "L X+0 Y+0 Z+3 FMAX\nL Z-1 F125\nL X+440 F5829\nL X+467.5\n",
    {"1 0 0 3 0", "3 0 0 -1 125", "4 440 0 -1 5829", "4 467.5 0 -1 5829"}},
  ProgramCase{"an axis without a number keeps its coordinate; blanks before a number are allowed",
    "L X+1 Y+2 Z+3 FMAX\nL Z 25.000 FMAX\nL X Y+7 FMAX\n",
    {"1 1 2 3 0", "2 1 2 25 0", "2 1 7 25 0"}},
  ProgramCase{"IX, IY and IZ move by their value",
    "L X+1 Y+1 Z+1 FMAX\nL IZ-2.5 F100\nL IX+4 IY-1\n",
    {"1 1 1 1 0", "3 1 1 -1.5 100", "4 5 0 -1.5 100"}},
  ProgramCase{"a semicolon starts a comment",
    "L X+1 FMAX ; X+99 Y+99\n;L X+50 F1\n",
    {"1 1 0 0 0"}}));

INSTANTIATE_TEST_SUITE_P(Arcs, HeidenhainPrograms, testing::Values(
  ProgramCase{"CC then C DR+ is a counter-clockwise arc about the pole",
    "L X-10 Y+0 F100\nCC X+0 Y+0\nC X+10 Y+0 DR+\n",
    {"3 -10 0 0 100", "6 10 0 0 100", "91 10 0 0 100"}},
  ProgramCase{"more than half a turn about the pole keeps its centre",
    "L X+10 Y+0 F100\nCC X+0 Y+0\nC X+0 Y-10 DR+\n",
    {"3 10 0 0 100", "6 0 -10 0 100", "91 -10 0 0 100"}},
  ProgramCase{"a C block without DR turns like the arc before it; a feed word keeps it an arc",
    "L X+10 Y+0 F100\nCC X+0 Y+0\nC X+0 Y+10 DR-\nC X-10 Y+0 F802\n",
    {"3 10 0 0 100", "8 0 10 0 100", "91 -10 0 0 100", "8 -10 0 0 802", "91 0 -10 0 802"}},
  ProgramCase{"C without an end point is a full circle",
    "L X+5 Y+0 F100\nCC X+0 Y+0\nC DR-\n",
    {"3 5 0 0 100", "8 5 0 0 100", "91 -5 0 0 100"}},
  ProgramCase{"CR arcs by radius: positive the short way, negative the long way",
    "L X+1 Y+0 F100\nCR X+17 Y+0 R+10 DR+\nCR X+1 Y+0 R-10 DR+\n",
    {"3 1 0 0 100", "6 17 0 0 100", "91 8 6 0 100", "6 1 0 0 100", "91 -8 6 0 100"}},
  ProgramCase{"a line without a C word after an arc does not move",
    "L X+10 Y+0 F100\nCC X+0 Y+0\nC X+0 Y+10 DR+\nM09\nL X+0 Y+0\n",
    {"3 10 0 0 100", "6 0 10 0 100", "91 -10 0 0 100", "3 0 0 0 100"}}));

INSTANTIATE_TEST_SUITE_P(NotMoves, HeidenhainPrograms, testing::Values(
  ProgramCase{"the program's frame yields nothing",
    "BEGIN PGM 11 MM\nBLK FORM 0.1 Z X+0 Y+0 Z-10\nTOOL CALL 1 Z S3500\nL X+1 FMAX\nEND PGM 11 MM\n",
    {"1 1 0 0 0"}},
  ProgramCase{"cycle definitions, functions and parameters are not moves",
    "L X+1 F100\nCYCL DEF 7.1 X+183.174\nCYCL DEF 1.5 F276\nFN18: SYSREAD Q3 = ID270 NR1 IDX3\n"
    "Q4 = (Q13 - Q23)\nQ5 = INT Q4\nL X+Q21 Y+5\nL X+2\n",
    {"3 1 0 0 100", "4 2 0 0 100"}},
  ProgramCase{"moves in machine coordinates and polar moves are not drawn",
    "L Z-10 FMAX M91\nL X+1 FMAX\nLP PR+5 PA+30\nL X+2\n",
    {"1 1 0 0 0", "2 2 0 0 0"}}));

TEST(HeidenhainReader, CyclesAndCycleCallsAreCountedAsNotInterpreted) {
  ToolpathDatabase db;
  db.options.heidenhainInputChk = true;
  const LoadResult result = AppendText(db,
      "L X+1 F100\nCYCL DEF 200 DRILLING\nQ200=2 ;SET-UP CLEARANCE\nCYCL CALL\n"
      "L X+5 FMAX M99\nL M99\nL X+7 FMAX M89\nL X+9\n");
  EXPECT_EQ(test::Records(db), (Lines{"3 1 0 0 100", "1 5 0 0 100", "2 7 0 0 100", "2 9 0 0 100"}));
  EXPECT_EQ(result.skippedLines, 6);  // the positioning moves are read, the drilling is not
}

TEST(HeidenhainReader, LinesWithoutLineFeedsAndCarriageReturnsReadLikeOthers) {
  EXPECT_EQ(ReadHeidenhain("L X+1 FMAX\r\nL X+2 F10"), (Lines{"1 1 0 0 0", "3 2 0 0 10"}));
}

}  // namespace
}  // namespace fendo
