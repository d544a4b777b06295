#include "edit/path_delete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"

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

TEST(PathDelete, NothingToDeleteInAnEmptyOrSinglePathBuffer) {
  ToolpathDatabase empty;
  DeleteMiddlePaths(empty);
  DeleteOddPaths(empty);
  EXPECT_EQ(empty.recordCount, 0);
  ToolpathDatabase single;
  DeleteMiddlePaths(StandardPaths(single, 1));
  EXPECT_EQ(Kept(single).size(), 7u);
}

}  // namespace
}  // namespace fendo
