#include <gtest/gtest.h>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Read;
using Lines = std::vector<std::string>;

struct ProgramCase {
  const char* what;
  const char* program;
  Lines records;
};

class IsoPrograms : public testing::TestWithParam<ProgramCase> {};

TEST_P(IsoPrograms, ReadAsExpected) {
  EXPECT_EQ(Read(GetParam().program), GetParam().records) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Motion, IsoPrograms, testing::Values(
  ProgramCase{"a feed move after a rapid starts a path, the next continues it",
    "G00 X1 Y1\nG01 X10 Y5 F300\nX20\n",
    {"1 1 1 0 0", "3 10 5 0 300", "4 20 5 0 300"}},
  ProgramCase{"a repeated position is dropped",
    "G00 X1 Y1\nX1 Y1\nG00 X1\n",
    {"1 1 1 0 0"}},
  ProgramCase{"G00 on every block starts every rapid; modal G00 continues",
    "G00 X1\nG00 X2\nX3\n",
    {"1 1 0 0 0", "1 2 0 0 0", "2 3 0 0 0"}},
  ProgramCase{"G01 on a block that continues a path keeps it going",
    "G0 X-1\nG1 X1 F100\nG1 X2\n",
    {"1 -1 0 0 0", "3 1 0 0 100", "4 2 0 0 100"}},
  ProgramCase{"no record before a motion mode is programmed, but the position moves",
    "X5 Y5\nG01 X6 F10\n",
    {"3 6 5 0 10"}},
  ProgramCase{"F40000 stays 40000", "G01 X1 F40000\n", {"3 1 0 0 40000"}},
  ProgramCase{"lowercase words are read like uppercase ones",
    "g0 x1 y2 z3\ng1 z-.1 f24\n",
    {"1 1 2 3 0", "3 1 2 -0.1 24"}}));

INSTANTIATE_TEST_SUITE_P(Arcs, IsoPrograms, testing::Values(
  ProgramCase{"an I/J arc is an end record and a centre record",
    "G01 X0 Y0 F100\nG02 X10 Y0 I5 J0\n",
    {"8 10 0 0 100", "91 5 0 0 100"}},
  ProgramCase{"G18 zeroes J and marks the centre ZX",
    "G01 X0 F100\nG18 G03 X10 Z0 I5 J7 K0\n",
    {"6 10 0 0 100", "92 5 0 0 100"}},
  ProgramCase{"G19 zeroes I and marks the centre YZ",
    "G01 Y0 Z1 F100\nG19 G02 Y10 Z1 I3 J5 K0\n",
    {"3 0 0 1 100", "8 0 10 1 100", "93 0 5 0 100"}},
  ProgramCase{"a half circle by R has its centre on the chord",
    "G01 X0 Y0 F100\nG02 X20 Y0 R10\n",
    {"8 20 0 0 100", "91 10 0 0 100"}},
  ProgramCase{"a positive R takes the shorter arc",
    "G01 X0 Y0 F100\nG03 X10 Y10 R10\n",
    {"6 10 10 0 100", "91 0 10 0 100"}},
  ProgramCase{"a negative R takes the longer arc",
    "G01 X0 Y0 F100\nG03 X10 Y10 R-10\n",
    {"6 10 10 0 100", "91 10 0 0 100"}},
  ProgramCase{"R before the end point is read once the end point is known",
    "G01 X0 Y0 F100\nG03 R10 X10 Y10\n",
    {"6 10 10 0 100", "91 0 10 0 100"}},
  ProgramCase{"an R shorter than half the chord centres the arc on the chord",
    "G01 X0 Y0 F100\nG02 X20 Y0 R3\n",
    {"8 20 0 0 100", "91 10 0 0 100"}},
  ProgramCase{"in arc mode a block with a centre but no move is a full circle; one without either is no move",
    "G01 X0 F100\nG02 X5 I2.5\nM05\nG17\nI-2.5\n",
    {"8 5 0 0 100", "91 2.5 0 0 100", "8 5 0 0 100", "91 -2.5 0 0 100"}},
  ProgramCase{"blank and comment-only lines are no blocks, even in arc mode",
    "G01 X0 F100\nG02 X5 I2.5\n\n   \n(NEXT)\n",
    {"8 5 0 0 100", "91 2.5 0 0 100"}}));

INSTANTIATE_TEST_SUITE_P(Modes, IsoPrograms, testing::Values(
  ProgramCase{"incremental moves add to the position reached in absolute mode",
    "G0 G90 X-100. Y49.997\nZ13.\nG91 Z-12.\nG1 Z-1. F500\nX10.\nG90 X0\n",
    {"1 -100 49.997 13 0", "2 -100 49.997 1 0", "3 -100 49.997 0 500", "4 -90 49.997 0 500",
     "4 0 49.997 0 500"}},
  ProgramCase{"an incremental block of zeros does not move, but an incremental full circle does",
    "G91 G01 X1 F10\nX0 Y0\nG03 I-0.5 J0\n",
    {"3 1 0 0 10", "6 1 0 0 10", "91 -0.5 0 0 10"}},
  ProgramCase{"R arcs in incremental mode end at the position plus the increments",
    "G01 X0 Y0 F100\nG91 G03 X10 Y10 R10\n",
    {"6 10 10 0 100", "91 0 10 0 100"}},
  ProgramCase{"G91.1 and G90.1 are not G91 and G90",
    "G01 X5 F100\nG91.1\nX7\nG91\nG90.1 X1\n",
    {"3 5 0 0 100", "4 7 0 0 100", "4 8 0 0 100"}},
  ProgramCase{"the words of a block act whatever their order",
    "G01 X0 F100\nX10 Y10 G90\nY5 G91\n",
    {"3 10 10 0 100", "4 10 15 0 100"}},
  ProgramCase{"axis words of dwell, offset and machine-coordinate blocks are not moves",
    "G01 X1 F100\nG10 L2 P1 X0 Y0 Z0\nG04 X1.5\nX2\nG53 G00 Z0\nX3\n",
    {"3 1 0 0 100", "4 2 0 0 100", "2 3 0 0 100"}},
  ProgramCase{"a G01 block that does not move still starts the path that follows",
    "G00 X1\nG01 F100\nX2\nX3\n",
    {"1 1 0 0 0", "3 2 0 0 100", "4 3 0 0 100"}}));

INSTANTIATE_TEST_SUITE_P(Words, IsoPrograms, testing::Values(
  ProgramCase{"a plus sign and blanks between letter and number are allowed",
    "G0 Z+2.1\nG0 X  0.0238 Y  0.0918\nG0 X+1\n",
    {"1 0.0238 0.0918 2.1 0", "1 1 0.0918 2.1 0"}},
  ProgramCase{"a letter without a number drops the block but keeps its modal changes",
    "G00 X1\nG01 X F200\nX3\n",
    {"1 1 0 0 0", "3 3 0 0 200"}},
  ProgramCase{"a G without a number changes nothing",
    "G01 X1 F100\nGOTO X5\nX2\n",
    {"3 1 0 0 100", "4 2 0 0 100"}},
  ProgramCase{"a line with a parameter is left alone entirely",
    "G01 X1 F100\nG00 X#1 F5\nX2\n",
    {"3 1 0 0 100", "4 2 0 0 100"}},
  ProgramCase{"a lowercase c ends the block without a move, its modal words stay",
    "G00 X1\nG01 F50 X9 call\nX2\n",
    {"1 1 0 0 0", "3 2 0 0 50"}},
  ProgramCase{"a comment does not swallow its block, and text after ; is no word",
    "G00 X1 Y0\nG01 X10 Y20 F100 (APPROACH X99)\nX11 ; X50 Y50\n",
    {"1 1 0 0 0", "3 10 20 0 100", "4 11 20 0 100"}},
  ProgramCase{"subroutine statements are not program numbers or words",
    "O1234\nG01 X1 F100\no100 sub\no100 call [1.5] [2]\nX2\n",
    {"3 1 0 0 100", "4 2 0 0 100"}},
  ProgramCase{"a parameter inside a comment is only comment text",
    "G00 X1 (#5 IS THE DEPTH)\n",
    {"1 1 0 0 0"}},
  ProgramCase{"words between two comments are read",
    "G00 (A) X3 (B (C) D) Y4\n",
    {"1 3 4 0 0"}},
  ProgramCase{"the last line counts without a line feed", "G00 X1\nG01 X2 F9", {"1 1 0 0 0", "3 2 0 0 9"}},
  ProgramCase{"carriage returns end lines like line feeds", "G00 X1\r\nG01 X2 F9\r\n", {"1 1 0 0 0", "3 2 0 0 9"}}));

TEST(IsoReader, IntegerProgramsAreInThousandths) {
  NcOptions integer;
  integer.intNcdataFlg = true;
  EXPECT_EQ(Read("G01 X1000 Y1000.0 F300\nG02 X3000 Y1000 I1000 J0\nG03 X1000 R1000\n", integer),
            (Lines{"3 1 1 0 300", "8 3 1 0 300", "91 1 0 0 300", "6 1 1 0 300", "91 -1 0 0 300"}));
}

TEST(IsoReader, ArcsBecomeChordsWithinTheTolerance) {
  NcOptions lines;
  lines.arcToCutInputChk = true;
  ToolpathDatabase db;
  db.options = lines;
  AppendText(db, "G00 X10 Y0\nG03 X0 Y10 I-10 J0 F100\n");
  // A radius of 10 at 0.001 mm allows steps of 1.6206°: 56 chords for the quarter circle.
  ASSERT_EQ(db.recordCount, 1 + 56);
  EXPECT_EQ(test::Describe(*db.RecordAt(1)).substr(0, 1), "3");
  EXPECT_EQ(test::Describe(*db.RecordAt(2)).substr(0, 1), "4");
  EXPECT_EQ(test::Describe(*db.RecordAt(56)), "4 0 10 0 100");
  for (int i = 1; i <= 56; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    EXPECT_NEAR(std::hypot(r.x, r.y), 10.0, 1e-5) << i;
  }
}

TEST(IsoReader, HelixChordsClimbWithTheArc) {
  NcOptions lines;
  lines.arcToCutInputChk = true;
  ToolpathDatabase db;
  db.options = lines;
  AppendText(db, "G01 X15 Y0 Z0 F100\nG03 X15 Y0 Z-1 I-15 J0\n");
  ASSERT_GT(db.recordCount, 100);
  float previousZ = 0;
  for (int i = 1; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    EXPECT_NEAR(std::hypot(r.x, r.y), 15.0, 1e-4) << i;
    EXPECT_LT(r.z, previousZ) << i;
    previousZ = r.z;
  }
  EXPECT_EQ(test::Describe(*db.RecordAt(db.recordCount - 1)), "4 15 0 -1 100");
}

TEST(IsoReader, HeaderWordsAndCommentsGoToTheWorkLayer) {
  ToolpathDatabase db;
  AppendText(db, "%\nO1234 (PART (7) )\nT5 M6\nH9\nS12000 M3\nG0 X1 (X500)\n(  LAST  \n");
  const LayerSlot& layer = db.layers[0];
  EXPECT_EQ(layer.programNumber, 1234);
  EXPECT_EQ(layer.toolNumber, 5);
  EXPECT_EQ(layer.lengthOffset, 9);
  EXPECT_EQ(layer.spindle, 12000);
  EXPECT_EQ(layer.comment, "PART 7\r\nX500\r\nLAST\r\n");

  // A second file starts its header afresh.
  AppendText(db, "T2\n");
  EXPECT_EQ(layer.toolNumber, 2);
  EXPECT_EQ(layer.lengthOffset, 2);
  EXPECT_EQ(layer.spindle, 0);
  EXPECT_EQ(layer.programNumber, 0);
  EXPECT_EQ(layer.comment, "");
}

TEST(IsoReader, ModalStateCarriesIntoTheNextFileButModeAndPlaneDoNot) {
  ToolpathDatabase db;
  AppendText(db, "G91 G18 G01 X1 F250\n");
  AppendText(db, "X2\nG02 X4 I1 K0\n");
  EXPECT_EQ(test::Records(db), (Lines{"3 1 0 0 250", "4 2 0 0 250", "8 4 0 0 250", "91 1 0 0 250"}));
}

TEST(IsoReader, ParseLineFillsTheCursor) {
  ToolpathDatabase db;
  EXPECT_EQ(ParseLine(db, "G01 X10 Y5 F300\n"), 1);
  EXPECT_EQ(db.cursor.kind, MoveKind::FeedStart);
  EXPECT_EQ(db.cursor.position(), (Point3{10, 5, 0}));
  EXPECT_EQ(db.cursor.feed, 300);
  EXPECT_EQ(ParseLine(db, "M05"), 0);
  EXPECT_EQ(ParseLine(db, "X+12 G0"), 1);
  EXPECT_EQ(db.cursor.kind, MoveKind::RapidStart);
}

TEST(IsoReader, ArcCentreFromRadiusWorksInEveryPlane) {
  // A quarter circle from the origin, counter-clockwise, radius 10, in each plane's axes.
  const auto expectNear = [](Point3 got, Point3 want) {
    EXPECT_NEAR(got.x, want.x, 1e-12);
    EXPECT_NEAR(got.y, want.y, 1e-12);
    EXPECT_NEAR(got.z, want.z, 1e-12);
  };
  expectNear(ArcCentreFromRadius(ArcPlane::XY, {0, 0, 0}, {10, 10, 0}, 10, MoveKind::ArcCcw), {0, 10, 0});
  expectNear(ArcCentreFromRadius(ArcPlane::ZX, {0, 0, 0}, {10, 0, 10}, 10, MoveKind::ArcCcw), {10, 0, 0});
  expectNear(ArcCentreFromRadius(ArcPlane::YZ, {0, 0, 0}, {0, 10, 10}, 10, MoveKind::ArcCcw), {0, 0, 10});
}

}  // namespace
}  // namespace fendo
