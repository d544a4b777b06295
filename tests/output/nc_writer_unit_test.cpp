// Programs in inches and in millimetres through the writer: the unit in the first block, the
// number width, round trips that keep every coordinate, and layers of different units.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
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

class UnitWriterTest : public testing::Test {
 protected:
  // Reads `program` and writes it in the unit the work layer's presets give.
  std::string Write(ToolpathDatabase& db, std::string_view program, NcOutputOptions options,
                    NcOptions reader = {}) {
    db.options = reader;
    AppendText(db, program);
    test::WriteUnattendedTo(options, out_);
    NcOutputOptions preset;
    PresetFromWorkLayer(db, preset);
    options.unit = preset.unit;
    EXPECT_TRUE(WriteNcProgram(db, options, prompts_).ok());
    return ReadFile(out_);
  }
  Lines WriteLines(std::string_view program, NcOutputOptions options = {}) {
    ToolpathDatabase db;
    return SplitLines(Write(db, program, options));
  }

  const test::TempDir dir_;
  const fs::path out_ = dir_ / "out.nc";
  test::ScriptedPrompts prompts_;
};

// Two quarter circles of radius 0.12344 about (1.11112, 2).
constexpr std::string_view kMoves =
    "G00 X1.23456 Y2 Z0.5\nG01 Z-0.1 F12\nG03 X1.11112 Y2.12344 I-0.12344 J0\nG02 X1.23456 Y2 I0 J-0.12344\n"
    "G00 Z0.5\n";

TEST_F(UnitWriterTest, TheStatedUnitOpensTheProgramAndSetsTheNumberWidth) {
  struct Case {
    const char* what;
    std::string program;
    NcOutputOptions options;
    Lines want;
  };
  const std::string moves(kMoves);
  const Case cases[] = {
      {"inch: G20, four decimals for axes and R",
       "G20\n" + moves,
       {},
       {"%", "G20", "G90G00G17X1.2346Y2.0000Z0.5000", "G00X1.2346Y2.0000Z0.5000", "G01Z-0.1000F12",
        "G17G03X1.1111Y2.1234R0.1235", "G02X1.2346Y2.0000R0.1235", "G00Z0.5000", "G00Z0.5000", "M09", "M30", "%"}},
      {"inch by centre offsets: I/J/K to four decimals, from the start as written",
       "G20\n" + moves,
       {.ijkToR = false},
       {"%", "G20", "G90G00G17X1.2346Y2.0000Z0.5000", "G00X1.2346Y2.0000Z0.5000", "G01Z-0.1000F12",
        "G17G03X1.1111Y2.1234I-0.1235", "G02X1.2346Y2.0000J-0.1234", "G00Z0.5000", "G00Z0.5000", "M09", "M30",
        "%"}},
      {"inch incremental: increments to four decimals, 0.00004 rounds away",
       "G20\nG00 X1 Y2 Z0.5\nG01 X1.00004 F12\nX1.2345\nY2.00006\n",
       {.incremental = true},
       {"%", "G20", "G90G00G17X1.0000Y2.0000Z0.5000", "G00X1.0000Y2.0000Z0.5000", "G91G01F12", "X.2345", "Y.0001",
        "G90G00Z0.5000", "M09", "M30", "%"}},
      {"inch with the program number and sequence numbers: G20 is the first numbered block",
       "G20\nG00 X1 Y2 Z0.5\n",
       {.sequenceNumbers = true, .programNumberOn = true, .programNumber = 12},
       {"%", "O12", "N1G20", "N2G90G00G17X1.0000Y2.0000Z0.5000", "N3G00X1.0000Y2.0000Z0.5000", "N4G00Z0.5000",
        "N5M09", "N6M30", "N7%"}},
      {"millimetres stated: G21, three decimals",
       "G21\n" + moves,
       {},
       {"%", "G21", "G90G00G17X1.235Y2.000Z0.500", "G00X1.235Y2.000Z0.500", "G01Z-0.100F12",
        "G17G03X1.111Y2.123R0.124", "G02X1.235Y2.000R0.124", "G00Z0.500", "G00Z0.500", "M09", "M30", "%"}},
      {"no unit stated: as ever, no unit word and three decimals",
       moves,
       {},
       {"%", "G90G00G17X1.235Y2.000Z0.500", "G00X1.235Y2.000Z0.500", "G01Z-0.100F12", "G17G03X1.111Y2.123R0.124",
        "G02X1.235Y2.000R0.124", "G00Z0.500", "G00Z0.500", "M09", "M30", "%"}},
      {"Heidenhain in inches: BEGIN and END PGM say INCH",
       "G20\nG00 X1.23456 Y2 Z0.5\nG01 Z-0.1 F12\n",
       {.heidenhain = true},
       {"1 BEGIN PGM 0 INCH", "2 BLK FORM 0.1 Z X+0.000 Y+0.000 Z-100.000", "3 BLK FORM 0.2 X+100.000 Y+100.000 Z+0.000",
        "4LX1.2346Y2.0000Z0.5000FMAX", "5LX1.2346Y2.0000Z0.5000FMAX", "6LZ-0.1000F12", "7 END PGM 0 INCH"}},
      {"Heidenhain in millimetres stated",
       "G21\nG00 X1.23456 Y2 Z0.5\n",
       {.heidenhain = true},
       {"1 BEGIN PGM 0 MM", "2 BLK FORM 0.1 Z X+0.000 Y+0.000 Z-100.000", "3 BLK FORM 0.2 X+100.000 Y+100.000 Z+0.000",
        "4LX1.235Y2.000Z0.500FMAX", "5LX1.235Y2.000Z0.500FMAX", "6 END PGM 0 MM"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WriteLines(c.program, c.options), c.want) << c.what;
}

TEST_F(UnitWriterTest, TheSourceStartKeepsItsOwnUnitBlock) {
  const fs::path source = dir_ / "source.nc";
  std::ofstream(source) << "%\nO5\nG20 G17\nG00 X1 Y2 Z0.5\nG01 Z-0.1 F12\nX1.5\nG00 Z0.5\nM30\n%\n";
  ToolpathDatabase db;
  const std::string written = Write(db, ReadFile(source), {.sourcePath = source.string(), .useSourceStartEnd = true});
  EXPECT_TRUE(written.starts_with("%\nO5\nG20 G17\nG00 X1 Y2 Z0.5\n\nG00X1.0000Y2.0000Z0.5000\nG01Z-0.1000F12\n"))
      << written;
}

// The points a program moves to, as read.
std::vector<Point3> MotionPoints(ToolpathDatabase& db) {
  std::vector<Point3> points;
  db.ForEachRecord([&points](int, const ToolpathRecord& r) {
    if (IsMotionKind(r.kind)) points.push_back(PositionOf(r));
  });
  return points;
}

bool Near(Point3 a, Point3 b, double tolerance) {
  return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

// Which of the points MotionPoints gives end an arc.
std::vector<bool> ArcEnds(ToolpathDatabase& db) {
  std::vector<bool> arcs;
  db.ForEachRecord([&arcs](int, const ToolpathRecord& r) {
    if (IsMotionKind(r.kind)) arcs.push_back(IsArcKind(r.kind));
  });
  return arcs;
}

// Every point of `want`, in order, is within `tolerance` (on every axis) of a point of `got`,
// and every point of `got` is matched. Moves that rounding made zero are not written, and
// their points fall together with the one before; an arc the writer cut into pieces (see
// `gotArcEnds`) comes back with the ends of its pieces before its own.
void ExpectSamePath(const std::vector<Point3>& want, const std::vector<Point3>& got, const std::vector<bool>& gotArcEnds,
                    double tolerance, const std::string& what) {
  constexpr std::size_t kMostPieces = 8;
  std::size_t j = 0;
  for (std::size_t i = 0; i < want.size(); ++i) {
    std::size_t pieces = 1;
    while (pieces < kMostPieces && j + pieces < got.size() && gotArcEnds[j + pieces - 1] &&
           !Near(want[i], got[j + pieces - 1], tolerance)) {
      ++pieces;
    }
    if (j + pieces <= got.size() && Near(want[i], got[j + pieces - 1], tolerance)) {
      j += pieces;
      continue;
    }
    ASSERT_TRUE(j > 0 && Near(want[i], got[j - 1], tolerance))
        << what << ": point " << i << " (" << want[i].x << ", " << want[i].y << ", " << want[i].z << ") not written";
  }
  EXPECT_EQ(j, got.size()) << what << ": points read back that the program does not move to";
}

// A program of straight moves and arcs in all three planes with coordinates of five decimals,
// in a box of `size`.
std::string RandomProgram(std::string_view unitWord, double size, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(-size, size);
  std::uniform_real_distribution<double> angle(0, 2 * M_PI);
  const auto fixed = [](double v) {
    std::ostringstream text;
    text.precision(5);
    text << std::fixed << v;
    return text.str();
  };
  std::ostringstream out;
  out << unitWord << "\nG00 X0 Y0 Z" << fixed(size) << "\nG01 Z0 F20\n";
  double p[3] = {0, 0, 0};
  const char* const planes[3] = {"G17", "G18", "G19"};
  const int axes[3][2] = {{0, 1}, {2, 0}, {1, 2}};
  const char axisNames[3] = {'X', 'Y', 'Z'};
  const char offsetNames[3] = {'I', 'J', 'K'};
  for (int n = 0; n < 400; ++n) {
    if (n % 3 != 2) {
      for (double& v : p) v = std::round(coordinate(random) * 1e5) / 1e5;
      out << "G01 X" << fixed(p[0]) << " Y" << fixed(p[1]) << " Z" << fixed(p[2]) << "\n";
      continue;
    }
    const int plane = n % 9 / 3;
    const int u = axes[plane][0];
    const int v = axes[plane][1];
    const double r = size * (0.05 + 0.3 * std::fabs(std::sin(n)));
    const double a0 = angle(random);
    const double a1 = a0 + angle(random) * 0.9;
    const double offsetU = std::round(-r * std::cos(a0) * 1e5) / 1e5;
    const double offsetV = std::round(-r * std::sin(a0) * 1e5) / 1e5;
    const double radius = std::hypot(offsetU, offsetV);
    const double centreU = p[u] + offsetU;
    const double centreV = p[v] + offsetV;
    p[u] = std::round((centreU + radius * std::cos(a1)) * 1e5) / 1e5;
    p[v] = std::round((centreV + radius * std::sin(a1)) * 1e5) / 1e5;
    out << planes[plane] << " G03";
    for (int a = 0; a < 3; ++a) out << ' ' << axisNames[a] << fixed(p[a]);
    out << ' ' << offsetNames[u] << fixed(offsetU) << ' ' << offsetNames[v] << fixed(offsetV) << "\n";
  }
  out << "G00 Z" << fixed(size) << "\n";
  return out.str();
}

// Read, written, read again: every end point stays within half the last written digit of
// where the program put it (and the float a record holds), in every output form; the unit is
// read back as it was stated.
TEST_F(UnitWriterTest, RoundTripsKeepEveryCoordinateToTheLastWrittenDigit) {
  struct Case {
    std::string name;
    std::string program;
    std::optional<LengthUnit> unit;
    double tolerance;  // half the last written digit, and what a float keeps
    NcOptions reader;
  };
  const fs::path corpus(FENDO_CORPUS_DIR);
  std::vector<Case> cases = {
      {"random inch", RandomProgram("G20", 4, 12), LengthUnit::Inch, 0.00005 + 1e-6, {}},
      {"random mm", RandomProgram("G21", 100, 13), LengthUnit::Millimetre, 0.0005 + 1e-5, {}},
  };
  for (const char* name : {"camotics_vcarve.ngc", "camotics_flower_mold.nc", "linuxcnc_arcspiral.ngc",
                           "linuxcnc_mmount.ngc", "egp_parallel.nc", "linuxcnc_cds.ngc"}) {
    if (fs::exists(corpus / "iso" / name)) {
      cases.push_back({name, ReadFile(corpus / "iso" / name), LengthUnit::Inch, 0.00005 + 1e-6, {}});
    }
  }
  if (fs::exists(corpus / "iso/camotics_bear.nc")) {
    cases.push_back({"camotics_bear.nc", ReadFile(corpus / "iso/camotics_bear.nc"), LengthUnit::Millimetre,
                     0.0005 + 1e-5, {}});
  }
  for (const Case& c : cases) {
    for (const NcOutputOptions& form : {NcOutputOptions{}, NcOutputOptions{.ijkToR = false},
                                        NcOutputOptions{.incremental = true}}) {
      const std::string what = c.name + (form.incremental ? " incremental" : form.ijkToR ? " by R" : " by I/J/K");
      ToolpathDatabase original;
      const std::string written = Write(original, c.program, form, c.reader);
      ASSERT_EQ(original.layers[0].unit.stated, c.unit) << what;
      ToolpathDatabase again;
      AppendText(again, written);
      EXPECT_EQ(again.layers[0].unit, (ProgramUnit{c.unit, false})) << what;
      std::vector<Point3> want = MotionPoints(original);
      ASSERT_FALSE(want.empty()) << what;
      // The start line moves to the first point, the footer retracts to the higher of the first
      // and the last Z.
      want.insert(want.begin(), want.front());
      want.push_back({want.back().x, want.back().y, std::max(want.back().z, want.front().z)});
      // Incremental cuts start from where the last rapid move was written, itself rounded.
      ExpectSamePath(want, MotionPoints(again), ArcEnds(again), form.incremental ? 2 * c.tolerance : c.tolerance, what);
    }
  }
}

TEST_F(UnitWriterTest, LayersOfDifferentUnitsAreNotWrittenTogether) {
  ToolpathDatabase db;
  const auto layer = [&db](int slot, std::string_view program) {
    db.recordCount = 0;
    db.layers.workLayer = slot;
    AppendText(db, program);
    ASSERT_TRUE(db.SaveToLayer(slot));
  };
  layer(1, "G20\nG00 X1 Y1 Z1\n");
  layer(2, "G21\nG00 X2 Y2 Z1\n");
  layer(3, "G00 X3 Y3 Z1\n");
  layer(4, "G20\nG00 X4 Y4 Z1\n");
  NcOutputOptions options = LayerOutputOptions(db);
  options.outputPath = out_.string();
  options.diagonalRapidCheck = false;

  struct Case {
    std::vector<int> layers;
    WriteStatus status;
    std::string firstBlock;  // the line after "%"
    std::string reason;
  };
  const Case cases[] = {
      {{1, 4, 1}, WriteStatus::Written, "G20", ""},
      {{2, 3}, WriteStatus::Written, "G21", ""},
      {{3, 2}, WriteStatus::Written, "G90G00G17X3.000Y3.000Z1.000", ""},
      {{1, 4, 2}, WriteStatus::MixedUnits, "", "layer 1 is in inch, layer 2 in mm"},
      {{3, 1}, WriteStatus::MixedUnits, "", "layer 3 is in mm, layer 1 in inch"},
  };
  for (const Case& c : cases) {
    fs::remove(out_);
    const WriteResult result = WriteLayerNcProgram(db, c.layers, options, prompts_);
    EXPECT_EQ(result.status, c.status) << c.reason;
    EXPECT_EQ(result.reason, c.reason);
    if (c.status != WriteStatus::Written) {
      EXPECT_FALSE(fs::exists(out_)) << "nothing is written: " << c.reason;
      continue;
    }
    const Lines lines = SplitLines(ReadFile(out_));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], c.firstBlock);
  }
}

}  // namespace
}  // namespace fendo
