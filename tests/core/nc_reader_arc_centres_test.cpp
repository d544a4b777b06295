#include <gtest/gtest.h>

#include "core/arc_centre_mode.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Read;
using Lines = std::vector<std::string>;

constexpr NcOptions kAbsoluteOption{.arcCentreAbsInputChk = true};

struct SameReading {
  const char* what;
  const char* program;
  NcOptions options;
  const char* relativeProgram;  // the same motions with I, J, K as offsets from the start
};

// Each program must give the records of its relative twin, read whole and read as chords.
class ArcCentreModes : public testing::TestWithParam<SameReading> {};

TEST_P(ArcCentreModes, GiveTheRecordsOfTheEquivalentOffsets) {
  const SameReading& c = GetParam();
  const Lines expected = Read(c.relativeProgram);
  ASSERT_FALSE(expected.empty()) << c.what;
  EXPECT_EQ(Read(c.program, c.options), expected) << c.what;
  NcOptions chords = c.options;
  chords.arcToCutInputChk = true;
  EXPECT_EQ(Read(c.program, chords), Read(c.relativeProgram, {.arcToCutInputChk = true})) << c.what << " as chords";
}

INSTANTIATE_TEST_SUITE_P(Programs, ArcCentreModes, testing::Values(
  SameReading{"G90.1 reads I J as the centre's coordinates",
    "G01 X10 Y0 F100\nG90.1\nG03 X0 Y10 I0 J0\n", {},
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\n"},
  SameReading{"G90.1 acts wherever it stands on the block",
    "G01 X10 Y0 F100\nG03 X0 Y10 I0 J0 G90.1\n", {},
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\n"},
  SameReading{"G91.1 is the default and switches back mid-program",
    "G01 X10 Y0 F100\nG91.1 G03 X0 Y10 I-10 J0\nG90.1 G03 X-10 Y0 I0 J0\nG91.1 G03 X0 Y-10 I10 J0\n"
    "G90.10 G03 X10 Y0 I0 J0\n", {},
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\nG03 X-10 Y0 I0 J-10\nG03 X0 Y-10 I10 J0\nG03 X10 Y0 I0 J10\n"},
  SameReading{"an omitted centre word is the coordinate 0, as an omitted offset is 0",
    "G01 X5 Y3 F100\nG90.1 G02 X5 Y-3 I4\n", {},
    "G01 X5 Y3 F100\nG02 X5 Y-3 I-1 J-3\n"},
  SameReading{"absolute centres in the ZX plane; the word normal to it stays as written",
    "G01 X10 Y2 Z0 F100\nG18 G90.1 G03 X0 Z10 I0 J7 K0\n", {},
    "G01 X10 Y2 Z0 F100\nG18 G03 X0 Z10 I-10 J7 K0\n"},
  SameReading{"absolute centres in the YZ plane",
    "G01 X1 Y0 Z5 F100\nG19 G90.1 G02 Y10 Z5 J5 K5\n", {},
    "G01 X1 Y0 Z5 F100\nG19 G02 Y10 Z5 J5 K0\n"},
  SameReading{"a helix keeps its K as written",
    "G01 X10 Y0 Z0 F100\nG90.1 G03 X-10 Y0 Z-2 I0 J0 K3\n", {},
    "G01 X10 Y0 Z0 F100\nG03 X-10 Y0 Z-2 I-10 J0 K3\n"},
  SameReading{"incremental end points with absolute centres",
    "G00 X10 Y0\nG91 G90.1 G03 X-10 Y10 I0 J0 F100\n", {},
    "G00 X10 Y0\nG91 G03 X-10 Y10 I-10 J0 F100\n"},
  SameReading{"integer programs scale absolute centres too",
    "G01 X10000 Y0 F100\nG90.1 G03 X0 Y0 I5000 J0\n", {.intNcdataFlg = true},
    "G01 X10 Y0 F100\nG03 X0 Y0 I-5 J0\n"},
  SameReading{"an R arc does not depend on the centre mode",
    "G01 X0 Y0 F100\nG90.1 G03 X10 Y10 R10\n", {},
    "G01 X0 Y0 F100\nG03 X10 Y10 R10\n"},
  SameReading{"the option reads I J as coordinates without G90.1",
    "G01 X10 Y0 F100\nG03 X0 Y10 I0 J0\n", kAbsoluteOption,
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\n"},
  SameReading{"with the option, G91.1 in the program wins from where it stands",
    "G01 X10 Y0 F100\nG03 X0 Y10 I0 J0\nG91.1\nG03 X-10 Y0 I0 J-10\nG90.1 G03 X0 Y-10 I0 J0\n", kAbsoluteOption,
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\nG03 X-10 Y0 I0 J-10\nG03 X0 Y-10 I10 J0\n"},
  SameReading{"a block made invalid still switches the mode",
    "G01 X10 Y0 F100\nG90.1 X\nG03 X0 Y10 I0 J0\n", {},
    "G01 X10 Y0 F100\nG03 X0 Y10 I-10 J0\n"},
  SameReading{"other codes with a fraction change nothing",
    "G00 X1\nG91\nG90.2 G91.2 G64.1 G17.1 X1\nG01 X10 Y0 F100\nG03 X-10 Y10 I-10 J0\n", {},
    "G00 X1\nG91\nX1\nG01 X10 Y0 F100\nG03 X-10 Y10 I-10 J0\n"},
  SameReading{"G90.1 and G91.1 do not switch G90/G91",
    "G00 X1\nG91 G90.1 X1\nG01 X1 F100\nG90 G91.1 X5\n", {},
    "G00 X1\nG91 X1\nG01 X1 F100\nG90 X5\n"}));

TEST(ArcCentreModes, EveryFileStartsInTheModeTheOptionGives) {
  for (const NcOptions options : {NcOptions{}, kAbsoluteOption}) {
    ToolpathDatabase db;
    db.options = options;
    AppendText(db, options.arcCentreAbsInputChk ? "G91.1\n" : "G90.1\n");
    AppendText(db, "G01 X10 Y0 F100\nG03 X0 Y10 I0 J0\n");
    const Lines centre = {test::Records(db).back()};
    EXPECT_EQ(centre, Lines{options.arcCentreAbsInputChk ? "91 -10 0 0 100" : "91 0 0 0 100"});
  }
}

struct CountCase {
  const char* what;
  ArcPlane plane;
  Point3 start, end, words;
  ArcCentreCounts expected;
};

TEST(ArcCentreCounts, TellOffsetsFromAbsoluteCentres) {
  const CountCase cases[] = {
      {"an offset that fits", ArcPlane::XY, {10, 0, 0}, {0, 10, 0}, {-10, 0, 0}, {1, 0, 0}},
      {"radii 0.004 apart still fit", ArcPlane::XY, {10, 0, 0}, {0, 10.004, 0}, {-10, 0, 0}, {1, 0, 0}},
      {"an absolute centre", ArcPlane::XY, {10, 0, 0}, {0, 10, 0}, {0, 0, 0}, {1, 1, 1}},
      {"neither reading fits", ArcPlane::XY, {10, 0, 0}, {0, 12, 0}, {-3, 1, 0}, {1, 1, 0}},
      {"a full circle fits either way", ArcPlane::XY, {10, 0, 0}, {10, 0, 0}, {3, 4, 0}, {1, 0, 0}},
      {"measured in the plane: a helix rises", ArcPlane::XY, {10, 0, 0}, {-10, 0, -5}, {0, 0, 0}, {1, 1, 1}},
      {"ZX: K and I", ArcPlane::ZX, {10, 0, 0}, {0, 0, 10}, {0, 5, 0}, {1, 1, 1}},
      {"YZ: J and K", ArcPlane::YZ, {0, 10, 0}, {0, 0, 10}, {0, -10, 0}, {1, 0, 0}},
  };
  for (const CountCase& c : cases) {
    ArcCentreCounts counts;
    counts.Count(c.start, c.end, c.words, c.plane);
    EXPECT_EQ(counts.arcs, c.expected.arcs) << c.what;
    EXPECT_EQ(counts.offsetMisfits, c.expected.offsetMisfits) << c.what;
    EXPECT_EQ(counts.absoluteFits, c.expected.absoluteFits) << c.what;
  }
}

TEST(ArcCentreCheck, NeedsEnoughArcsMostlyMisfitAndTheMisfitsFittingAsAbsolute) {
  struct Case {
    ArcCentreCounts counts;
    bool looksAbsolute;
  };
  const Case cases[] = {
      {{0, 0, 0}, false},      {{8, 5, 5}, true},   {{7, 7, 7}, false},     {{8, 4, 4}, false},
      {{10, 10, 9}, true},     {{10, 10, 8}, false}, {{2051, 2039, 2039}, true}, {{58, 3, 0}, false},
  };
  for (const Case& c : cases) {
    const ArcCentreCheck check = CheckArcCentres(c.counts);
    EXPECT_EQ(check.looksAbsolute, c.looksAbsolute) << c.counts.arcs << " " << c.counts.offsetMisfits << " "
                                                    << c.counts.absoluteFits;
    EXPECT_EQ(check.counts.arcs, c.counts.arcs);
  }
}

// Eight quarter circles about the origin, their centres written as the origin's coordinates.
constexpr const char* kAbsoluteCircles =
    "G01 X10 Y0 F100\n"
    "G03 X0 Y10 I0 J0\nX-10 Y0 I0 J0\nX0 Y-10 I0 J0\nX10 Y0 I0 J0\n"
    "X0 Y10 I0 J0\nX-10 Y0 I0 J0\nX0 Y-10 I0 J0\nX10 Y0 I0 J0\n";

TEST(ArcCentreCheck, ReadingCountsOnlyArcsWithCentreWordsReadAsOffsets) {
  struct Case {
    const char* what;
    std::string program;
    NcOptions options;
    ArcCentreCounts counts;
    bool looksAbsolute;
  };
  const Case cases[] = {
      {"absolute centres without G90.1", kAbsoluteCircles, {}, {8, 8, 8}, true},
      {"seven arcs are too few", std::string(kAbsoluteCircles).substr(0, std::string(kAbsoluteCircles).rfind("X10")),
       {}, {7, 7, 7}, false},
      {"the option reads them as they are meant", kAbsoluteCircles, kAbsoluteOption, {}, false},
      {"so does G90.1", std::string("G90.1\n") + kAbsoluteCircles, {}, {}, false},
      {"R arcs and arcs without centre words are not counted",
       "G01 X10 Y0 F100\nG03 X0 Y10 R10\nG02 X10 Y0\nG01 X0 I5 J5\n", {}, {}, false},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    db.options = c.options;
    const LoadResult result = AppendText(db, c.program);
    EXPECT_EQ(result.arcCentres.looksAbsolute, c.looksAbsolute) << c.what;
    EXPECT_EQ(result.arcCentres.counts.arcs, c.counts.arcs) << c.what;
    EXPECT_EQ(result.arcCentres.counts.offsetMisfits, c.counts.offsetMisfits) << c.what;
    EXPECT_EQ(result.arcCentres.counts.absoluteFits, c.counts.absoluteFits) << c.what;
  }
  // Each file is judged on its own arcs.
  ToolpathDatabase db;
  AppendText(db, kAbsoluteCircles);
  EXPECT_EQ(AppendText(db, "G03 X0 Y10 I-10 J0\n").arcCentres.counts.arcs, 1);
}

}  // namespace
}  // namespace fendo
