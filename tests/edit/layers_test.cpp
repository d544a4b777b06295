#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "edit/echo_list.h"
#include "edit/layer_copy.h"
#include "edit/layer_listing.h"
#include "edit/work_layer.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

// One path of `n` records at height z, in the work buffer.
void FillPath(ToolpathDatabase& db, int n, float z) {
  std::vector<ToolpathRecord> records = {Rec(K::RapidStart, 0, 0, z + 10)};
  for (int i = 1; i < n; ++i) records.push_back(Rec(i == 1 ? K::FeedStart : K::Feed, static_cast<float>(i), 0, z, 100));
  Fill(db, records);
}

// Layer 0 (work layer) with 3 records at z 0 and tool 1, layer 2 with 4 records at z 2.
void FillLayers(ToolpathDatabase& db, int toolOfLayer2) {
  db.layers.workLayer = 2;
  FillPath(db, 4, 2);
  ASSERT_TRUE(db.SaveToLayer(2));
  db.layers[2].toolNumber = toolOfLayer2;
  db.layers[2].fileName = "two.nc";
  db.layers.workLayer = 0;
  FillPath(db, 3, 0);
  ASSERT_TRUE(db.SaveToLayer(0));
  db.layers[0].fileName = "zero.nc";
}

TEST(SwitchWorkLayer, SwitchingAndBackKeepsTheEdits) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  ASSERT_TRUE(db.SetPosition(2, {7, 7, 7}));  // an edit of layer 0 not yet in its slot
  ASSERT_EQ(SwitchWorkLayer(db, 2), LayerSwitch::Switched);
  EXPECT_EQ(db.layers.workLayer, 2);
  EXPECT_EQ(db.recordCount, 4);
  EXPECT_EQ(SwitchWorkLayer(db, 0), LayerSwitch::Switched);
  ASSERT_EQ(db.recordCount, 3);
  EXPECT_EQ(test::Describe(*db.RecordAt(2)), "4 7 7 7 100");
}

TEST(SwitchWorkLayer, TheCurrentLayerOrNoUserLayerChangesNothing) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  db.Snapshot(SnapshotMode::Push);
  ASSERT_TRUE(db.SetPosition(2, {7, 7, 7}));
  for (const int layer : {0, -1, 100, 255}) {
    EXPECT_EQ(SwitchWorkLayer(db, layer), LayerSwitch::Unchanged) << layer;
    EXPECT_EQ(db.layers.workLayer, 0);
  }
  EXPECT_EQ(test::Describe(*db.RecordAt(2)), "4 7 7 7 100") << "not reloaded from the slot";
  EXPECT_EQ(db.undoPos(), 1) << "the undo ring is kept";
}

TEST(SwitchWorkLayer, AnUndoAfterASwitchNeverBringsBackTheOtherLayersRecords) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  db.Snapshot(SnapshotMode::Push);
  FillPath(db, 9, 0);  // an edit of layer 0
  ASSERT_EQ(SwitchWorkLayer(db, 2), LayerSwitch::Switched);
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_FALSE(db.Snapshot(SnapshotMode::Redo));
  EXPECT_EQ(db.recordCount, 4) << "layer 2 as it was";
  ASSERT_EQ(SwitchWorkLayer(db, 0), LayerSwitch::Switched);
  EXPECT_EQ(db.recordCount, 9) << "layer 0 with its edit";

  db.Snapshot(SnapshotMode::Push);  // edits after the switch are undone as ever
  FillPath(db, 5, 0);
  EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 9);
}

TEST(SwitchWorkLayer, AnEmptyLayerGivesAnEmptyWorkBuffer) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  ASSERT_EQ(SwitchWorkLayer(db, 7), LayerSwitch::Switched);
  EXPECT_EQ(db.recordCount, 0);
  ASSERT_EQ(SwitchWorkLayer(db, 0), LayerSwitch::Switched);
  EXPECT_EQ(db.recordCount, 3);
  EXPECT_EQ(db.layers[7].pointCount(), 0);
}

TEST(CopyLayerToolpath, FromLayerTwoIntoTheWorkLayerIsSeenAtOnce) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  ASSERT_TRUE(db.SetPosition(2, {7, 7, 7}));  // in the work buffer only: the copy saves it first
  test::ScriptedPrompts prompts;
  ASSERT_EQ(CopyLayerToolpath(db, 2, 0, prompts), LayerCopy::Copied);
  EXPECT_TRUE(prompts.messages.empty()) << "the same tool asks nothing";
  ASSERT_EQ(db.recordCount, 7);
  EXPECT_EQ(test::Describe(*db.RecordAt(2)), "4 7 7 7 100");
  EXPECT_EQ(test::Describe(*db.RecordAt(3)), "1 0 0 12 0") << "layer 2's records behind layer 0's";
  EXPECT_EQ(db.layers[0].fileName, "zero.nc") << "the target keeps its header";
  EXPECT_EQ(db.layers[2].pointCount(), 4) << "the source keeps its records";
}

TEST(CopyLayerToolpath, AnotherToolIsAskedAboutAndCancelChangesNothing) {
  ToolpathDatabase db;
  FillLayers(db, 5);
  test::ScriptedPrompts prompts;
  prompts.okAnswers = {false, true};
  EXPECT_EQ(CopyLayerToolpath(db, 2, 0, prompts), LayerCopy::Cancelled);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0], "Fendo message: " + std::string(kLayerToolsDifferText));
  EXPECT_EQ(db.recordCount, 3);
  EXPECT_EQ(db.layers[0].pointCount(), 3);

  EXPECT_EQ(CopyLayerToolpath(db, 2, 0, prompts), LayerCopy::Copied);
  EXPECT_EQ(db.recordCount, 7);
  EXPECT_EQ(db.layers[0].toolNumber, 1) << "the target keeps its tool";
}

TEST(CopyLayerToolpath, FromTheWorkLayerIntoAnotherAndFromAnEmptyOne) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  test::ScriptedPrompts prompts;
  ASSERT_EQ(CopyLayerToolpath(db, 0, 2, prompts), LayerCopy::Copied);
  EXPECT_EQ(db.layers[2].pointCount(), 7);
  EXPECT_EQ(db.recordCount, 3) << "the work layer is the source: it stays as it was";

  db.layers[9].toolNumber = 4;  // an empty layer of another tool: nothing to ask about
  ASSERT_EQ(CopyLayerToolpath(db, 9, 0, prompts), LayerCopy::Copied);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(db.recordCount, 3);
  EXPECT_EQ(db.layers[0].fileName, "zero.nc");
}

TEST(AppendLayer, AnEmptySourceLeavesTheTargetsRecordsAndHeader) {
  ToolpathDatabase db;
  FillLayers(db, 1);
  db.layers[9].fileName = "nine.nc";
  db.layers[9].toolNumber = 4;
  ASSERT_TRUE(db.layers.AppendLayer(9, 2));
  EXPECT_EQ(db.layers[2].pointCount(), 4);
  EXPECT_EQ(db.layers[2].fileName, "two.nc");
  EXPECT_EQ(db.layers[2].toolNumber, 1);
}

TEST(ParseEchoList, NumbersAndRangesOfTheUsersLayers) {
  struct Case {
    std::string text;
    std::vector<int> layers;
    std::optional<std::string> bad;
  };
  const std::vector<Case> cases = {
      {"10-12 15", {10, 11, 12, 15}, {}},
      {"  3\t5-5 ", {3, 5}, {}},
      {"", {}, {}},
      {"0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 90-99",
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
        90, 91, 92, 93, 94, 95, 96, 97, 98, 99},
       {}},
      {"3 100", {}, "100"},
      {"3 x7", {}, "x7"},
      {"12-10", {}, "12-10"},
      {"1-", {}, "1-"},
      {"-4", {}, "-4"},
      {"2.5", {}, "2.5"},
      {"1-2-3", {}, "1-2-3"},
      {"4,5", {}, "4,5"},
  };
  for (const Case& c : cases) {
    const EchoList list = ParseEchoList(c.text);
    EXPECT_EQ(list.layers, c.layers) << c.text;
    EXPECT_EQ(list.badItem, c.bad) << c.text;
  }
}

TEST(ListLayer, TheWorkLayerCountsTheWorkBuffer) {
  ToolpathDatabase db;
  FillLayers(db, 6);
  FillPath(db, 5, 0);  // not yet in layer 0's slot
  db.layers[2].spindle = 9000;
  const LayerListing zero = ListLayer(db, 0);
  EXPECT_EQ(zero.records, 5);
  EXPECT_EQ(zero.file, "zero.nc");
  const LayerListing two = ListLayer(db, 2);
  EXPECT_EQ(two.number, 2);
  EXPECT_EQ(two.name, "Layer 2");
  EXPECT_EQ(two.records, 4);
  EXPECT_EQ(two.tool, 6);
  EXPECT_EQ(two.spindle, 9000);
}

}  // namespace
}  // namespace fendo
