#include <gtest/gtest.h>

#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// An "edit" for the undo tests: push a snapshot, then leave n records in the buffer.
void Edit(ToolpathDatabase& db, int n) {
  db.Snapshot(SnapshotMode::Push);
  std::vector<ToolpathRecord> records;
  for (int i = 0; i < n; ++i) records.push_back(Rec(K::Feed, static_cast<float>(i), 0, 0));
  Fill(db, records);
}

TEST(LayerTable, StartsWithNamedSlotsAndTheUsersLayersOn) {
  const LayerTable table;
  EXPECT_EQ(table[7].layerName, "Layer 7");
  EXPECT_EQ(table[7].fileName, "Layer 7");
  EXPECT_TRUE(table[99].layerOn);
  EXPECT_FALSE(table[100].layerOn);
  EXPECT_EQ(table[0].spindle, 1000);
  EXPECT_EQ(table[0].toolNumber, 1);
  EXPECT_EQ(table[0].lengthOffset, 1);
  EXPECT_EQ(table[0].programNumber, 0);
  EXPECT_FALSE(table[0].points.allocated());
}

TEST(LayerTable, SaveAndLoadMoveTheWorkBufferInAndOut) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1, 2, 3), Rec(K::FeedStart, 4, 5, 6, 100)});
  ASSERT_TRUE(db.SaveToLayer(3));
  EXPECT_EQ(db.layers[3].pointCount(), 2);
  Fill(db, {Rec(K::RapidStart, 9, 9, 9)});
  ASSERT_TRUE(db.LoadFromLayer(3));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 1 2 3 0", "3 4 5 6 100"}));
  EXPECT_FALSE(db.LoadFromLayer(4));
  EXPECT_EQ(db.recordCount, 0) << "loading a slot without records empties the work buffer";
  EXPECT_FALSE(db.SaveToLayer(256));
}

TEST(LayerTable, CopyTakesRecordsAndHeaderButNotNameOrVisibility) {
  LayerTable table;
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1, 0, 0)});
  db.SaveToLayer(1);
  db.layers[1].fileName = "part.nc";
  db.layers[1].comment = "ROUGH\r\n";
  db.layers[1].toolNumber = 7;
  db.layers[1].spindle = 8000;
  db.layers[150].layerName = "mine";
  ASSERT_TRUE(db.layers.CopyLayer(1, 150));
  const LayerSlot& copy = db.layers[150];
  EXPECT_EQ(copy.pointCount(), 1);
  EXPECT_EQ(copy.fileName, "part.nc");
  EXPECT_EQ(copy.comment, "ROUGH\r\n");
  EXPECT_EQ(copy.toolNumber, 7);
  EXPECT_EQ(copy.spindle, 8000);
  EXPECT_EQ(copy.layerName, "mine");
  EXPECT_FALSE(copy.layerOn);
}

TEST(LayerTable, AppendJoinsRecordsAndCopiesIntoAnEmptySlot) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1, 0, 0)});
  db.SaveToLayer(0);
  Fill(db, {Rec(K::RapidStart, 2, 0, 0), Rec(K::FeedStart, 3, 0, 0)});
  db.SaveToLayer(1);
  db.layers[1].fileName = "second.nc";

  ASSERT_TRUE(db.layers.AppendLayer(1, 5));
  EXPECT_EQ(db.layers[5].pointCount(), 2);
  EXPECT_EQ(db.layers[5].fileName, "second.nc") << "into an empty slot it is a copy";

  ASSERT_TRUE(db.layers.AppendLayer(1, 0));
  ASSERT_TRUE(db.LoadFromLayer(0));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 1 0 0 0", "1 2 0 0 0", "3 3 0 0 0"}));
  EXPECT_EQ(db.layers[0].fileName, "Layer 0") << "appending keeps the target's header";

  ASSERT_TRUE(db.layers.AppendLayer(0, 0));
  EXPECT_EQ(db.layers[0].pointCount(), 6) << "a layer appended to itself doubles";
}

TEST(UndoRing, TwelveEditsAllowNineUndos) {
  ToolpathDatabase db;
  Edit(db, 1);  // the buffer is empty before the first edit: nothing to push
  for (int n = 2; n <= 12; ++n) Edit(db, n);
  ASSERT_EQ(db.recordCount, 12);
  for (int undo = 1; undo <= 9; ++undo) {
    EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
    EXPECT_EQ(db.recordCount, 12 - undo) << "undo " << undo;
  }
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 3);
}

TEST(UndoRing, RedoBringsBackWhatUndoTookUntilANewEdit) {
  ToolpathDatabase db;
  Edit(db, 3);
  Edit(db, 5);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 3);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Redo));
  EXPECT_EQ(db.recordCount, 5) << "undo saved the state it left";
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Redo));
  EXPECT_EQ(db.recordCount, 5);

  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  Edit(db, 8);
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Redo)) << "a new edit drops the redo branch";
  EXPECT_EQ(db.recordCount, 8);
}

TEST(UndoRing, SnapshotsKeepRecordsButNotSelections) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1, 2, 3), Rec(K::FeedStart, 4, 5, 6, 70)});
  db.InvertSelection();
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Push));
  Fill(db, {Rec(K::RapidStart, 0, 0, 0)});
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 1 2 3 0", "3 4 5 6 70"}));
  EXPECT_EQ(db.RecordAt(1)->selected, 0);

  ToolpathDatabase empty;
  EXPECT_FALSE(empty.Snapshot(SnapshotMode::Push));
  EXPECT_EQ(empty.undoPos(), 0) << "an empty buffer pushes nothing";
}

}  // namespace
}  // namespace fendo
