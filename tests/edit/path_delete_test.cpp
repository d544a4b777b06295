#include "edit/path_delete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "edit/delete_selection.h"
#include "edit/edit_checks.h"
#include "edit/point_delete.h"

namespace fendo {
namespace {

using test::Describe;
using test::Fill;
using test::Rec;
using K = MoveKind;

// The records still there, with their indices: "index kind x y z feed".
std::vector<std::string> Kept(ToolpathDatabase& db) {
  std::vector<std::string> kept;
  for (int i = 0; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->kind != K::None) kept.push_back(std::to_string(i) + ' ' + Describe(*db.RecordAt(i)));
  }
  return kept;
}

// Four paths in the standard form (retract, traverse, approach between them); path k lies at
// x = 10k and has an arc, so that centre records go with their arcs.
ToolpathDatabase& StandardPaths(ToolpathDatabase& db, int paths) {
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, 50)};
  for (int k = 0; k < paths; ++k) {
    const float x = 10.0f * k;
    for (ToolpathRecord r : {Rec(K::Rapid, x, 0, 50), Rec(K::Rapid, x, 0, 2), Rec(K::FeedStart, x, 0, -1),
                             Rec(K::ArcCcw, x + 4, 0, -1), Rec(K::CentreXY, 2, 0, 0), Rec(K::RapidStart, x + 4, 0, 50)}) {
      records.push_back(r);
    }
  }
  Fill(db, records);
  return db;
}

TEST(PathDelete, MiddlePathsKeepTheFirstAndEveryOtherPath) {
  ToolpathDatabase db;
  DeleteMiddlePaths(StandardPaths(db, 4));
  EXPECT_EQ(Kept(db), (std::vector<std::string>{
                          "0 1 0 0 50 0",   "1 2 0 0 50 0",  "2 2 0 0 2 0",    "3 3 0 0 -1 0",  "4 6 4 0 -1 0",
                          "5 91 2 0 0 0",   "6 1 4 0 50 0",  // the first path and its retract
                          "13 2 20 0 50 0", "14 2 20 0 2 0", "15 3 20 0 -1 0", "16 6 24 0 -1 0", "17 91 2 0 0 0",
                          "18 1 24 0 50 0"}))
      << "records are deleted in place, nothing is compacted";
}

TEST(PathDelete, OddPathsKeepTheStartingPositionAndTheEvenPaths) {
  ToolpathDatabase db;
  DeleteOddPaths(StandardPaths(db, 3));
  EXPECT_EQ(Kept(db), (std::vector<std::string>{"0 1 0 0 50 0", "7 2 10 0 50 0", "8 2 10 0 2 0", "9 3 10 0 -1 0",
                                                "10 6 14 0 -1 0", "11 91 2 0 0 0", "12 1 14 0 50 0"}));
}

TEST(PathDelete, ARapidRunOfSeveralG00BlocksIsOneGapBetweenPaths) {
  // As read: every rapid block programs G00, so each is a RapidStart.
  ToolpathDatabase db;
  AppendText(db,
             "G00 X0 Y0 Z50\nG01 Z-1 F500\nX5\n"
             "G00 Z50\nG00 X20 Y0\nG00 Z2\nG01 Z-1\nX25\n"
             "G00 Z50\nG00 X40 Y0\nG00 Z2\nG01 Z-1\nX45\n");
  DeleteMiddlePaths(db);
  EXPECT_EQ(Kept(db), (std::vector<std::string>{"0 1 0 0 50 0", "1 3 0 0 -1 500", "2 4 5 0 -1 500", "3 1 5 0 50 500",
                                                "9 1 40 0 50 500", "10 1 40 0 2 500", "11 3 40 0 -1 500",
                                                "12 4 45 0 -1 500"}))
      << "the second path goes with its approach, and the third is approached from above";
}

TEST(PathDelete, TheMiddlePathCommandTakesItsUndoStep) {
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(StandardPaths(db, 4));
  EXPECT_EQ(DeleteMiddlePaths(db, UndoStep::Push), EditOutcome::Changed);
  EXPECT_EQ(Kept(db).size(), 13u);
  EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::Records(db), before);
  ToolpathDatabase empty;
  EXPECT_EQ(DeleteMiddlePaths(empty, UndoStep::Push), EditOutcome::Unchanged);
}

TEST(PathDelete, NothingToDeleteInAnEmptyOrSinglePathBuffer) {
  ToolpathDatabase empty;
  DeleteMiddlePaths(empty);
  DeleteOddPaths(empty);
  EXPECT_EQ(empty.recordCount, 0);
  ToolpathDatabase single;
  DeleteMiddlePaths(StandardPaths(single, 1));
  EXPECT_EQ(Kept(single).size(), 7u);
}

TEST(OnePathDelete, TheApproachAndThePathGoTheRetractAfterItStaysAStart) {
  ToolpathDatabase db;
  EXPECT_EQ(DeleteOnePath(StandardPaths(db, 3), 9), EditOutcome::Changed);
  EXPECT_EQ(Kept(db), (std::vector<std::string>{
                          "0 1 0 0 50 0", "1 2 0 0 50 0", "2 2 0 0 2 0", "3 3 0 0 -1 0", "4 6 4 0 -1 0",
                          "5 91 2 0 0 0", "6 1 4 0 50 0", "7 2 10 0 50 0",  // the traverse before stays
                          "12 1 14 0 50 0", "13 2 20 0 50 0", "14 2 20 0 2 0", "15 3 20 0 -1 0", "16 6 24 0 -1 0",
                          "17 91 2 0 0 0", "18 1 24 0 50 0"}));
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_EQ(DeleteOnePath(db, 12), EditOutcome::Refused) << "not a cutting record";
}

TEST(OnePathDelete, NoCutOfAnotherPathGoesWhereEveryRapidBlockProgramsG00) {
  struct Case {
    std::string program;
    int first;
    std::vector<int> kept;
  };
  const std::string read =
      "G00 X0 Y0 Z50\nG01 Z-1 F500\nX5\nG00 Z50\nG00 X20 Y0\nG00 Z2\nG01 Z-1\nX25\n"
      "G00 Z50\nG00 X40 Y0\nG00 Z2\nG01 Z-1\nX45\n";
  const std::vector<Case> cases = {
      {read, 6, {0, 1, 2, 3, 4, 8, 9, 10, 11, 12}},  // the first path keeps its last cut (2)
      {read, 11, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},    // the last path
      {read, 1, {0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},  // the start position stays
      // A single rapid move between the paths stays: it is the retract of the path before.
      {"G00 X0 Y0 Z50\nG01 Z-1 F500\nX5\nG00 X20 Z2\nG01 Z-1\nX25\nG00 Z50\n", 4, {0, 1, 2, 3, 6}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    AppendText(db, c.program);
    EXPECT_EQ(DeleteOnePath(db, c.first), EditOutcome::Changed);
    std::vector<int> kept;
    for (int i = 0; i < db.recordCount; ++i) {
      if (db.RecordAt(i)->kind != K::None) kept.push_back(i);
    }
    EXPECT_EQ(kept, c.kept) << c.first;
    for (const int i : kept) {
      if (i > c.first) {
        EXPECT_EQ(db.RecordAt(i)->kind, K::RapidStart) << "the record after the path begins the rapid run";
        break;
      }
    }
  }
}

TEST(PointDelete, TheNextRecordTakesOverTheStartOfARun) {
  struct Case {
    int record;
    std::vector<std::string> kept;
  };
  const std::vector<ToolpathRecord> records = {
      Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 2), Rec(K::FeedStart, 0, 0, 0, 500),
      Rec(K::Feed, 10, 0, 0, 500), Rec(K::ArcCcw, 20, 0, 0, 500), Rec(K::CentreXY, 5, 0, 0),
      Rec(K::Feed, 30, 0, 0, 500), Rec(K::RapidStart, 30, 0, 50)};
  const std::vector<Case> cases = {
      {0, {"1 1 0 0 2 0", "2 3 0 0 0 500", "3 4 10 0 0 500", "4 6 20 0 0 500", "5 91 5 0 0 0", "6 4 30 0 0 500",
           "7 1 30 0 50 0"}},
      {2, {"0 1 0 0 50 0", "1 2 0 0 2 0", "3 3 10 0 0 500", "4 6 20 0 0 500", "5 91 5 0 0 0", "6 4 30 0 0 500",
           "7 1 30 0 50 0"}},
      {4, {"0 1 0 0 50 0", "1 2 0 0 2 0", "2 3 0 0 0 500", "3 4 10 0 0 500", "6 4 30 0 0 500", "7 1 30 0 50 0"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, records);
    EXPECT_EQ(DeletePoint(db, c.record), EditOutcome::Changed);
    EXPECT_EQ(Kept(db), c.kept) << c.record;
    EXPECT_EQ(db.undoPos(), 1);
  }
}

TEST(PointDelete, TheOnlyRapidMoveBetweenTwoCutsStays) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 2), Rec(K::FeedStart, 0, 0, 0, 500), Rec(K::Feed, 5, 0, 0, 500),
            Rec(K::RapidStart, 20, 0, 2), Rec(K::FeedStart, 20, 0, 0, 500), Rec(K::CentreXY, 0, 0, 0)});
  const std::vector<std::string> before = Kept(db);
  EXPECT_EQ(DeletePoint(db, 3), EditOutcome::Refused) << "the tool would cut across to the next path";
  EXPECT_EQ(DeletePoint(db, 0), EditOutcome::Refused) << "the first cut would start from nowhere";
  EXPECT_EQ(DeletePoint(db, 5), EditOutcome::Refused) << "not a motion record";
  EXPECT_EQ(Kept(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(DeleteAll, EmptiesTheWorkBufferAndUndoBringsItBack) {
  ToolpathDatabase db;
  const std::vector<std::string> before = test::Records(StandardPaths(db, 3));
  EXPECT_EQ(DeleteAll(db), EditOutcome::Changed);
  EXPECT_EQ(db.recordCount, 0);
  EXPECT_EQ(DeleteAll(db), EditOutcome::Unchanged);
  EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::Records(db), before);
}

TEST(DeleteSelected, SelectedMovesBecomeUnselectedRapidMoves) {
  ToolpathDatabase db;
  db.safeZ = 50;
  StandardPaths(db, 3);
  for (const int i : {9, 10}) {  // the second path's plunge and arc
    db.ReadRecord(i);
    db.cursor.selected = 1;
    db.WriteRecord(i);
  }
  EXPECT_EQ(DeleteSelected(db), EditOutcome::Changed);
  EXPECT_EQ(test::CutMoves(db), (std::vector<std::string>{"0 0 2 > 0 0 -1 G3 F0", "0 0 -1 > 4 0 -1 G6 F0",
                                                          "20 0 2 > 20 0 -1 G3 F0", "20 0 -1 > 24 0 -1 G6 F0"}));
  for (int i = 0; i < db.recordCount; ++i) EXPECT_EQ(db.RecordAt(i)->selected, 0) << i;
}

}  // namespace
}  // namespace fendo
