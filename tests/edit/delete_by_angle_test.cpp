#include "edit/delete_by_angle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "edit/edit_checks.h"

namespace fendo {
namespace {

using test::CutMoves;

// A path of one vertical plunge and one move of `length` mm in the XY direction `degrees`.
std::string OneMoveProgram(double degrees, double length = 10) {
  const double radians = degrees * 3.14159265358979323846 / 180;
  return "G00 X0 Y0 Z50\nZ2\nG01 Z0 F500\nX" + std::to_string(length * std::cos(radians)) + " Y" +
         std::to_string(length * std::sin(radians)) + "\nG00 Z50\n";
}

TEST(DeleteByXyAngle, ComparesTheAngleItsOppositeAndTheAngleAFullTurnOn) {
  struct Case {
    double angle, tolerance, direction;
    bool deleted;
  };
  const std::vector<Case> cases = {
      {90, 10, 90, true},        {90, 10, 270, true},       {90, 10, 100.001, false},  // |90 − 100| is not below 10
      {90, 10, 99.99, true},     {90, 10, 0, false},        {90, 10, 180, false},
      {0, 90, 90, false},        {0, 90, 89.99, true},      {0, 90, 270, false},       // exact axis directions
      {350, 5, 170, false},      {350, 5, 350, true},       {350, 5, 346, true},       // 170 is not compared
      {-10, 5, 350, true},       {-10, 5, 170, true},       {-10, 5, 10, false},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    AppendText(db, OneMoveProgram(c.direction));
    db.safeZ = 50;
    EXPECT_EQ(DeleteByXyAngle(db, {.angle = c.angle, .tolerance = c.tolerance}), EditOutcome::Changed);
    EXPECT_EQ(CutMoves(db).size(), c.deleted ? 1u : 2u) << c.angle << ' ' << c.tolerance << ' ' << c.direction;
  }
}

TEST(DeleteByXyAngle, AVerticalMoveHasNoDirectionAndADeletedMoveIsLeftAtTheRetractHeight) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z50\nZ2\nG01 Z0 F500\nY10 F800\nX10\nG00 Z50\n");
  db.safeZ = 50;
  EXPECT_EQ(DeleteByXyAngle(db, {.angle = 90, .tolerance = 1}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 50 500", "2 0 0 2 0", "3 0 0 0 500",  // the plunge stays
                                   "1 0 0 50 500", "2 0 10 50 800", "2 0 10 0 800",        // up, across, down
                                   "3 10 10 0 800", "1 10 10 50 800"}));
}

TEST(DeleteByXyAngle, ValuesOutOfRangeAreRefusedAndAnEmptyProgramIsLeftAlone) {
  ToolpathDatabase db;
  AppendText(db, OneMoveProgram(90));
  const std::vector<std::string> before = test::Records(db);
  EXPECT_EQ(DeleteByXyAngle(db, {.angle = 400}), EditOutcome::Refused);
  EXPECT_EQ(DeleteByXyAngle(db, {.tolerance = -1}), EditOutcome::Refused);
  EXPECT_EQ(CheckRanges(XyAngleDeleteOptions{.tolerance = std::nan("")})->field, "tolerance");
  EXPECT_EQ(test::Records(db), before);
  EXPECT_EQ(db.undoPos(), 0);
  ToolpathDatabase empty;
  EXPECT_EQ(DeleteByXyAngle(empty, {}), EditOutcome::Unchanged);
}

// A flat 19 mm, a 60° wall up, a 3 mm flat, a 60° wall down and a flat 20 mm, each with a
// feed of its own, after a steep ramp into the part.
constexpr std::string_view kWallsProgram =
    "G00 X0 Y0 Z50\nG00 Z5\nG01 X1 Z0 F100\nX20 F1000\nX25.7735 Z10 F500\nX28.7735 F700\n"
    "X34.547 Z0 F500\nX54.547 F1000\nG00 Z50\n";

TEST(DeleteBySlope, LongFlatsGoAndWallsAndShortFlatsKeepTheirFeeds) {
  struct Case {
    SlopeDeleteOptions options;
    std::vector<std::string> cuts;
  };
  const std::vector<Case> cases = {
      {{},  // 0 … 30 degrees, runs up to 4 mm stay
       {"0 0 5 > 1 0 0 G3 F100", "20 0 0 > 25.7735 0 10 G3 F500", "25.7735 0 10 > 28.7735 0 10 G4 F700",
        "28.7735 0 10 > 34.547 0 0 G4 F500"}},
      {{.ignoreLength = 2},  // the 3 mm flat goes too
       {"0 0 5 > 1 0 0 G3 F100", "20 0 0 > 25.7735 0 10 G3 F500", "28.7735 0 10 > 34.547 0 0 G3 F500"}},
      {{.minAngle = 50, .maxAngle = 70},  // the walls go, the flats stay
       {"0 0 5 > 1 0 0 G3 F100", "1 0 0 > 20 0 0 G4 F1000", "25.7735 0 10 > 28.7735 0 10 G3 F700",
        "34.547 0 0 > 54.547 0 0 G3 F1000"}},
      {{.minAngle = 70, .maxAngle = 90, .ignoreLength = 0},  // the ramp
       {"1 0 0 > 20 0 0 G3 F1000", "20 0 0 > 25.7735 0 10 G4 F500", "25.7735 0 10 > 28.7735 0 10 G4 F700",
        "28.7735 0 10 > 34.547 0 0 G4 F500", "34.547 0 0 > 54.547 0 0 G4 F1000"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    AppendText(db, kWallsProgram);
    db.safeZ = 50;
    db.workFeed = 3000;
    EXPECT_EQ(DeleteBySlope(db, c.options), EditOutcome::Changed);
    EXPECT_EQ(CutMoves(db), c.cuts) << c.options.minAngle << ' ' << c.options.ignoreLength;
  }
}

TEST(DeleteBySlope, AFlatStretchIsLeftByARetractAndEnteredFromItsEnd) {
  ToolpathDatabase db;
  AppendText(db, kWallsProgram);
  db.safeZ = 50;
  EXPECT_EQ(DeleteBySlope(db, {}), EditOutcome::Changed);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{
                                   "1 0 0 50 0", "2 0 0 50 100", "2 0 0 5 0", "3 1 0 0 100",
                                   "1 1 0 50 100", "2 20 0 50 500", "2 20 0 0 1000",  // over the flat
                                   "3 25.7735 0 10 500", "4 28.7735 0 10 700", "4 34.547 0 0 500",
                                   "1 34.547 0 50 500"}))  // the last flat and the retract after it go
      << "the rapid moves keep the feeds of the records they were made from";
  EXPECT_EQ(DeleteBySlope(db, {.minAngle = 40, .maxAngle = 30}), EditOutcome::Changed) << "an empty range marks nothing";
  EXPECT_EQ(CutMoves(db).size(), 4u);
  EXPECT_EQ(DeleteBySlope(db, {.maxAngle = 91}), EditOutcome::Refused);
}

TEST(DeleteBySlope, ArcsAndTheirCentresAreKept) {
  ToolpathDatabase db;
  AppendText(db, "G00 X0 Y0 Z50\nZ2\nG01 X1 Z0 F500\nX20\nG03 X30 Y10 I0 J10\nG01 Y30 Z-1\nG00 Z50\n");
  db.safeZ = 50;
  EXPECT_EQ(DeleteBySlope(db, {}), EditOutcome::Changed);
  EXPECT_EQ(CutMoves(db), (std::vector<std::string>{"0 0 2 > 1 0 0 G3 F500", "20 0 0 > 30 10 0 G6 F500"}))
      << "the flat before the arc and the nearly flat ramp after it go";
  int arc = 0;
  while (arc < db.recordCount && !IsArcKind(db.RecordAt(arc)->kind)) ++arc;
  ASSERT_LT(arc + 1, db.recordCount);
  EXPECT_EQ(test::Describe(*db.RecordAt(arc + 1)), "91 0 10 0 500");
}

}  // namespace
}  // namespace fendo
