#include <gtest/gtest.h>

#include "check/source_constructs.h"

namespace fendo {
namespace {

struct Case {
  const char* line;
  bool heidenhain;
  bool cycle, home, subprogram, variable, compensation;
};

const Case kCases[] = {
    {"G28 G91 Z0", false, false, true, false, false, false},
    {"G53 Z0", false, false, true, false, false, false},
    {"G01 X1. (G28 IN A COMMENT)", false, false, false, false, false, false},
    {"G01 X1. ; G41 after the end", false, false, false, false, false, false},
    {"G41 D1 X5.", false, false, false, false, false, true},
    {"g42 d2 x5.", false, false, false, false, false, true},
    {"G40 G49 G80", false, false, false, false, false, false},
    // Past the first sixteen bytes, and a comment that opens in them and closes after.
    {"X12.345 Y-23.456 Z-0.031 G53", false, false, true, false, false, false},
    {"X12.345 Y-23.456 Z-0.031 X12.345 Y-23.456 #5", false, false, false, false, true, false},
    {"X12.345 (Y-23.456 Z-0.031 G41) G42", false, false, false, false, false, true},
    {"X12.345 (Y-23.456 Z-0.031 G41)", false, false, false, false, false, false},
    {"G281 X1.", false, false, false, false, false, false},
    {"M98 P1000", false, false, false, true, false, false},
    {"M198 P1000", false, false, false, true, false, false},
    {"G65 P9810 X1.", false, false, false, true, false, false},
    {"M09", false, false, false, false, false, false},
    {"#100=[#1+2]", false, false, false, false, true, false},
    {"G01 X#101", false, false, false, false, true, false},
    {"G83 X1. Y1. Z-5. Q1. R1.", false, false, false, false, false, false},
    {"4 CYCL DEF 200 BOHREN", true, true, false, false, false, false},
    {"5 CYCL DEF 200 Q200=2 Q201=-20", true, true, false, false, true, false},
    {"6 CYCL CALL M3", true, true, false, false, false, false},
    {"9 CALL LBL 1", true, false, false, true, false, false},
    {"9 CALL PGM SUB", true, false, false, true, false, false},
    {"7 Q1 = 5", true, false, false, false, true, false},
    {"7 FN 0: Q1 = +5", true, false, false, false, true, false},
    {"8 L X+10 Y+10 RL F500", true, false, false, false, false, true},
    {"8 L X+10 RR", true, false, false, false, false, true},
    {"8 L X+10 R0 FMAX ; RL in a comment", true, false, false, false, false, false},
    {"8 L X+10 R0 FMAX", true, false, false, false, false, false},
};

TEST(SourceConstructs, FindsWhatTheReaderDoesNotExecute) {
  for (const Case& c : kCases) {
    const LineConstructs found = c.heidenhain ? ScanHeidenhainLine(c.line) : ScanIsoLine(c.line);
    EXPECT_EQ(found.heidenhainCycle, c.cycle) << c.line;
    EXPECT_EQ(found.homeMove, c.home) << c.line;
    EXPECT_EQ(found.subprogramCall, c.subprogram) << c.line;
    EXPECT_EQ(found.variable, c.variable) << c.line;
    EXPECT_EQ(found.radiusCompensation, c.compensation) << c.line;
  }
}

TEST(SourceConstructs, Units) {
  EXPECT_EQ(ScanIsoLine("G20 G90").unit, LengthUnit::Inch);
  EXPECT_EQ(ScanIsoLine("G21").unit, LengthUnit::Millimetre);
  EXPECT_FALSE(ScanIsoLine("G01 X20. (G20)").unit);
  EXPECT_EQ(ScanHeidenhainLine("0 BEGIN PGM A INCH").unit, LengthUnit::Inch);
}

}  // namespace
}  // namespace fendo
