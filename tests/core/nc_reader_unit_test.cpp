#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/nc_reader_unit.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "support/temp_dir.h"

namespace fendo {
namespace {

constexpr auto kInch = LengthUnit::Inch;
constexpr auto kMm = LengthUnit::Millimetre;

const ProgramUnit& WorkUnit(const ToolpathDatabase& db) { return db.layers[db.layers.workLayer].unit; }

struct UnitCase {
  const char* what;
  std::vector<std::string> files;  // read one after the other into one work buffer
  ProgramUnit want;
  bool heidenhain = false;
};

TEST(ProgramUnitReading, TheUnitInForceAtTheFirstMoveAndLaterChanges) {
  const UnitCase cases[] = {
      {"no unit stated", {"G00 X1 Y1 Z5\nG01 Z0 F100\n"}, {}},
      {"G20 on a block of its own", {"%\nG20\nG00 X1 Y1\n"}, {kInch, false}},
      {"G21 on the moving block itself", {"G21 G00 X1\n"}, {kMm, false}},
      {"the last statement before the first move", {"G21\nG20 G17\nG00 X1\n"}, {kInch, false}},
      {"lowercase, numbered, among other words", {"n0090 G43 H1 g20\nn0100 g0 x1\n"}, {kInch, false}},
      {"a block that moves nowhere is no first move", {"G00 X0 Y0 Z0\nG20\nX1\n"}, {kInch, false}},
      {"an invalid block keeps its modal G20", {"G20 X\nG00 X1\n"}, {kInch, false}},
      {"G20.1 is no unit statement", {"G20.1\nG00 X1\n"}, {}},
      {"the same unit stated again later", {"G20\nG00 X1\nG20\nX2\n"}, {kInch, false}},
      {"inch, then millimetres part way", {"G20\nG00 X1\nG21\nX2\n"}, {kInch, true}},
      {"unstated, then G21: millimetres all along", {"G00 X1\nG21\nX2\n"}, {}},
      {"unstated, then G20 part way", {"G00 X1\nG20\nX2\n"}, {std::nullopt, true}},
      {"an added program in the same unit", {"G21\nG00 X1\n", "G21\nG00 X2\n"}, {kMm, false}},
      {"an added program stating nothing to a millimetre one", {"G21\nG00 X1\n", "G00 X2\n"}, {kMm, false}},
      {"an added inch program", {"G21\nG00 X1\n", "G20\nG00 X2\n"}, {kMm, true}},
      {"an added program stating nothing to an inch one", {"G20\nG00 X1\n", "G00 X2\n"}, {kInch, true}},
      {"an added program without moves", {"G20\nG00 X1\n", "G21\n"}, {kInch, false}},
      {"Heidenhain BEGIN PGM in inches", {"0 BEGIN PGM 11 INCH\n1 L X+1 Y+1 FMAX\n2 END PGM 11 INCH\n"},
       {kInch, false}, true},
      {"Heidenhain BEGIN PGM in millimetres", {"BEGIN PGM CIRSTUD  MM\nL X+1 FMAX\n"}, {kMm, false}, true},
      {"Heidenhain BEGIN PGM without a unit", {"0 BEGIN PGM 11\n1 L X+1 FMAX\n"}, {}, true},
  };
  for (const UnitCase& c : cases) {
    ToolpathDatabase db;
    db.options.heidenhainInputChk = c.heidenhain;
    for (const std::string& file : c.files) AppendText(db, file);
    EXPECT_EQ(WorkUnit(db), c.want) << c.what;
  }
}

TEST(ProgramUnitReading, NumbersStayAsWritten) {
  EXPECT_EQ(test::Read("G20\nG00 X1.2345 Y-0.0001 Z2\nG01 Z-0.5 F12\n"),
            (std::vector<std::string>{"1 1.2345 -0.0001 2 0", "3 1.2345 -0.0001 -0.5 12"}));
}

TEST(ProgramUnitReading, ANewProgramForgetsTheUnitOfTheOneBefore) {
  ToolpathDatabase db;
  AppendText(db, "G20\nG00 X1\nG21\nX2\n");
  ASSERT_EQ(WorkUnit(db), (ProgramUnit{kInch, true}));
  db.recordCount = 0;
  AppendText(db, "G00 X1\n");
  EXPECT_EQ(WorkUnit(db), ProgramUnit{}) << "a program read into an empty work buffer starts afresh";
}

TEST(ProgramUnitReading, UndoingAnOpenBringsBackTheUnitOfTheRecords) {
  const test::TempDir dir;
  const auto program = [&dir](const std::string& name, std::string_view text) {
    std::ofstream(dir / name) << text;
    return dir / name;
  };
  ToolpathDatabase db;
  ASSERT_TRUE(LoadFile(db, program("mm.nc", "G21\nG00 X10 Y10 Z5\n")).ok());
  ASSERT_TRUE(LoadFile(db, program("inch.nc", "G20\nG00 X1 Y1 Z0.5\n")).ok());
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(WorkUnit(db), (ProgramUnit{kMm, false}));
  EXPECT_EQ(test::Records(db), std::vector<std::string>{"1 10 10 5 0"});
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Redo));
  EXPECT_EQ(WorkUnit(db), (ProgramUnit{kInch, false}));
}

TEST(ProgramUnitReading, TheUnitTravelsWithTheLayer) {
  ToolpathDatabase db;
  AppendText(db, "G20\nG00 X1\n");
  ASSERT_TRUE(db.SaveToLayer(0));
  ASSERT_TRUE(db.layers.CopyLayer(0, 3));
  EXPECT_EQ(db.layers[3].unit, (ProgramUnit{kInch, false}));

  db.recordCount = 0;
  db.layers.workLayer = 4;
  AppendText(db, "G21\nG00 X5\n");
  ASSERT_TRUE(db.SaveToLayer(4));
  ASSERT_TRUE(db.layers.AppendLayer(4, 3));
  EXPECT_EQ(db.layers[3].unit, (ProgramUnit{kInch, true})) << "millimetre paths joined to an inch layer";
  ASSERT_TRUE(db.layers.AppendLayer(4, 5));
  EXPECT_EQ(db.layers[5].unit, (ProgramUnit{kMm, false})) << "into an empty slot the layer is copied whole";
}

TEST(ProgramUnitReading, BeginProgramLines) {
  EXPECT_EQ(BeginProgramUnit("0 BEGIN PGM 12 MM"), kMm);
  EXPECT_EQ(BeginProgramUnit("BEGIN PGM 0TREF INCH \r"), kInch);
  EXPECT_EQ(BeginProgramUnit("0 BEGIN PGM 12"), std::nullopt);
  EXPECT_EQ(BeginProgramUnit("0 BEGIN PGM MM"), kMm);
  EXPECT_EQ(BeginProgramUnit("9 END PGM 12 INCH"), std::nullopt) << "only the opening line states the unit";
  EXPECT_EQ(BeginProgramUnit("0 BEGIN PGM 12 MMX"), std::nullopt);
}

}  // namespace
}  // namespace fendo
