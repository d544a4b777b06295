#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "core/record_memory.h"
#include "core/toolpath_database.h"
#include "toolpath_text.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using K = MoveKind;

TEST(WorkBuffer, ChunksAreAllocatedOnFirstWriteUpToTheRecordLimit) {
  ToolpathDatabase db;
  const std::size_t chunkBytes = WorkBuffer::kChunkRecords * sizeof(ToolpathRecord);
  EXPECT_EQ(db.HeldBytes(), 0u);
  EXPECT_TRUE(db.WriteRecord(3269));
  EXPECT_EQ(db.HeldBytes(), chunkBytes);      // 3269 is the last record of chunk 0
  EXPECT_TRUE(db.WriteRecord(3270));
  EXPECT_EQ(db.HeldBytes(), 2 * chunkBytes);  // 3270 opens chunk 1
  EXPECT_TRUE(db.WriteRecord(13'079'999));
  EXPECT_FALSE(db.WriteRecord(13'080'000));
  EXPECT_FALSE(db.WriteRecord(-1));
  EXPECT_TRUE(db.memoryOk);  // running out of chunks is not running out of memory
}

// A reading followed line by line keeps a few chunks whatever its length: the latest records
// read back as written, older ones as never written.
TEST(WorkBuffer, KeepingTheLatestRecordsOnlyHoldsAFewChunks) {
  ToolpathDatabase db;
  db.KeepLatestRecordsOnly();
  const int records = 10 * WorkBuffer::kChunkRecords;
  for (int i = 0; i < records; ++i) {
    db.cursor = {static_cast<double>(i), 0, 0, 100, 0, K::Feed};
    ASSERT_TRUE(db.AppendCursor()) << i;
  }
  EXPECT_LT(db.HeldBytes(), 5u * WorkBuffer::kChunkRecords * sizeof(ToolpathRecord));
  const ToolpathRecord* last = db.RecordAt(records - 1);
  EXPECT_EQ(last->x, records - 1);
  EXPECT_EQ(db.RecordAt(records - 3 * WorkBuffer::kChunkRecords)->x, records - 3 * WorkBuffer::kChunkRecords);
  EXPECT_EQ(db.RecordAt(0)->kind, K::None);
  EXPECT_EQ(db.ReadRecord(WorkBuffer::kChunkRecords), 0);
}

TEST(WorkBuffer, TheCursorWidensOnReadAndRoundsOnWrite) {
  ToolpathDatabase db;
  db.cursor = {0.1, -2.5, 1e-3, 40000, 1, K::Feed};
  ASSERT_TRUE(db.WriteRecord(0));
  db.recordCount = 1;
  db.cursor = {};
  EXPECT_EQ(db.ReadRecord(0), 1);
  EXPECT_EQ(db.cursor.x, static_cast<double>(0.1f));
  EXPECT_EQ(db.cursor.feed, 40000);
  EXPECT_EQ(db.cursor.selected, 1);
  EXPECT_EQ(db.cursor.kind, K::Feed);
}

TEST(WorkBuffer, FailedReadsLeaveTheCursorAlone) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 1, 2, 3), Rec(K::None, 4, 5, 6)});
  db.ReadRecord(0);
  EXPECT_EQ(db.ReadRecord(2), 0);  // past recordCount
  EXPECT_EQ(db.cursor.x, 1);
  EXPECT_EQ(db.ReadRecord(1), 0);  // a None record is read, but counts as no record
  EXPECT_EQ(db.cursor.x, 4);
}

TEST(WorkBuffer, AnOutOfRangeRecordTurnsIntoANoneRecordAtFirstRead) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const ToolpathRecord& bad : {Rec(K::Feed, 0, 40000, 0), Rec(K::Feed, -32701, 0, 0),
                                    Rec(K::Feed, 0, 0, 1e9f), Rec(K::Feed, nan, 0, 0)}) {
    ToolpathDatabase db;
    Fill(db, {Rec(K::RapidStart, 1, 1, 1), bad});
    db.ReadRecord(0);
    EXPECT_EQ(db.ReadRecord(1), 0);
    EXPECT_EQ(db.cursor.x, 1) << "the cursor keeps what it held";
    EXPECT_EQ(test::Describe(*db.RecordAt(1)), "0 32700 32700 32700 300");
    EXPECT_EQ(db.NextMotion(0), 0) << "it drops out of every walk";
  }
  ToolpathDatabase edge;
  Fill(edge, {Rec(K::Feed, 32700, -32700, 0), Rec(K::ArcCcw, 1, 0, 0), Rec(K::CentreXY, 48656.4f, 48626.1f, 0)});
  EXPECT_EQ(edge.ReadRecord(0), 1) << "the limit itself is in range";
  EXPECT_EQ(edge.ReadRecord(2), 1) << "a nearly straight arc's centre lies far away";
}

TEST(Records, KindPredicatesReadTheRecord) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::Rapid, 1, 0, 0), Rec(K::FeedStart, 2, 0, 0), Rec(K::Feed, 3, 0, 0),
            Rec(K::ArcCw, 4, 0, 0), Rec(K::CentreXY, 1, 0, 0), Rec(K::None, 0, 0, 0)});
  const struct {
    int index;
    bool motion, rapid, rapidStart, linear, feedStart, arc;
  } cases[] = {{0, true, true, true, false, false, false},    {1, true, true, false, false, false, false},
               {2, true, false, false, true, true, false},    {3, true, false, false, true, false, false},
               {4, true, false, false, false, false, true},   {5, false, false, false, false, false, false},
               {6, false, false, false, false, false, false}, {7, false, false, false, false, false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(db.IsMotion(c.index), c.motion) << c.index;
    EXPECT_EQ(db.IsRapid(c.index), c.rapid) << c.index;
    EXPECT_EQ(db.IsRapidStart(c.index), c.rapidStart) << c.index;
    EXPECT_EQ(db.IsLinearFeed(c.index), c.linear) << c.index;
    EXPECT_EQ(db.IsFeedStart(c.index), c.feedStart) << c.index;
    EXPECT_EQ(db.IsArc(c.index), c.arc) << c.index;
  }
  db.Clear();
  EXPECT_EQ(db.recordCount, 0);
  EXPECT_EQ(db.HeldBytes(), 0u);
}

TEST(Walks, PrevAndNextMotionSkipEverythingButMotion) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 0), Rec(K::ArcCw, 1, 0, 0), Rec(K::CentreXY, 0.5, 0, 0),
            Rec(K::None, 9, 9, 9), Rec(K::Feed, 2, 0, 0)});
  EXPECT_EQ(db.PrevMotion(4), 1);
  EXPECT_EQ(db.cursor.kind, K::ArcCw) << "the cursor holds what was found";
  EXPECT_EQ(db.PrevMotion(0), 0);
  EXPECT_EQ(db.cursor.kind, K::RapidStart);
  EXPECT_EQ(db.NextMotion(1), 4);
  EXPECT_EQ(db.NextMotion(4), 0) << "none after the last";
  EXPECT_EQ(db.HasPrevMotion(1), 0);
  EXPECT_EQ(db.HasPrevMotion(0), std::nullopt);
  EXPECT_EQ(db.HasNextMotion(4), std::nullopt);
  EXPECT_EQ(db.FirstMotion(), 0);

  ToolpathDatabase gap;
  Fill(gap, {Rec(K::None, 0, 0, 0), Rec(K::Feed, 1, 0, 0), Rec(K::Feed, 2, 0, 0)});
  EXPECT_EQ(gap.FirstMotion(), 1);
  EXPECT_EQ(gap.HasPrevMotion(1), std::nullopt) << "record 0 is no motion record";
  EXPECT_EQ(gap.HasPrevMotion(2), 1);
  EXPECT_EQ(ToolpathDatabase{}.FirstMotion(), std::nullopt);
}

TEST(Walks, NextPathRangeFindsEveryPathWithItsApproach) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::Rapid, 0, 0, 5), Rec(K::FeedStart, 0, 0, 0),
            Rec(K::Feed, 5, 0, 0), Rec(K::RapidStart, 5, 0, 50), Rec(K::Rapid, 9, 0, 50),
            Rec(K::FeedStart, 9, 0, 0), Rec(K::Feed, 9, 9, 0)});
  const auto first = db.NextPathRange(0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->approachStart, 0);
  EXPECT_EQ(first->end, 4);
  const auto second = db.NextPathRange(first->end);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->approachStart, 4);
  EXPECT_EQ(second->end, 8) << "the last path runs to the end of the buffer";
  EXPECT_FALSE(db.NextPathRange(second->end));
}

TEST(Records, EditsTouchOnlyMotionRecords) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::FeedStart, 1, 2, 3, 100), Rec(K::CentreXY, 1, 0, 0), Rec(K::Feed, 4, 5, 6, 200)});
  EXPECT_FALSE(db.SetKind(1, K::Feed));
  EXPECT_FALSE(db.SetPosition(1, {0, 0, 0}));
  EXPECT_TRUE(db.SetPosition(0, {7, 8, 9}));
  EXPECT_TRUE(db.SetKind(2, K::RapidStart));

  db.SwapPositions(0, 2);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"3 4 5 6 200", "91 1 0 0 0", "1 7 8 9 100"}));
  db.SwapRecords(0, 2);
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 7 8 9 100", "91 1 0 0 0", "3 4 5 6 200"}));

  db.InvertSelection();
  EXPECT_EQ(db.RecordAt(0)->selected, 1);
  EXPECT_EQ(db.RecordAt(1)->selected, 0) << "centre records are not selectable";
  db.InvertSelection();
  EXPECT_EQ(db.RecordAt(0)->selected, 0);
  db.InvertSelection();
  db.ClearSelection();
  EXPECT_EQ(db.RecordAt(2)->selected, 0);
}

TEST(Records, SegmentMeasuresFromTheSecondRecordToTheFirst) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 10), Rec(K::FeedStart, 0, 0, 0), Rec(K::Feed, 3, 4, 0)});
  const SegmentResult plunge = db.Segment(1, 0);
  EXPECT_EQ(plunge.unit, (Point3{0, 0, -1}));
  EXPECT_EQ(plunge.length, 10);
  EXPECT_EQ(db.Segment(2, 1).length, 5);
  EXPECT_EQ(db.cursor.kind, K::FeedStart) << "the cursor ends on the second record";
  const SegmentResult none = db.Segment(2, 2);
  EXPECT_FALSE(none.nonZero);
  EXPECT_EQ(none.length, 0);
}

TEST(Records, AppendingStoresBehindTheLastRecordUpToTheRecordLimit) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50)});
  db.cursor = {1, 2, 3, 400, 0, K::FeedStart};
  EXPECT_TRUE(db.AppendCursor());
  EXPECT_TRUE(db.AppendRecord(Rec(K::Feed, 4, 5, 6, 500)));
  EXPECT_EQ(db.cursor.x, 4) << "the cursor holds the record appended";
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "3 1 2 3 400", "4 4 5 6 500"}));

  db.recordCount = ToolpathDatabase::kMaxRecords - 1;
  EXPECT_TRUE(db.AppendRecord(Rec(K::Feed, 7, 0, 0)));
  EXPECT_FALSE(db.AppendRecord(Rec(K::Feed, 8, 0, 0)));
  EXPECT_FALSE(db.AppendCursor());
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords) << "a refused record is not counted";
  EXPECT_TRUE(db.memoryOk) << "the record limit is no lack of memory";
}

// A whole-program edit builds its result beside the work buffer and puts it in place at once:
// from a scratch store or from a sequence of records, longer or shorter than what was there,
// across chunk boundaries.
TEST(Records, ReplacingPutsTheNewRecordsInPlaceWhole) {
  const auto program = [](int count, float x0) {
    std::vector<ToolpathRecord> records;
    for (int i = 0; i < count; ++i) records.push_back(Rec(i == 0 ? K::RapidStart : K::Feed, x0 + i, 0, 0, i));
    return records;
  };
  const int kChunk = WorkBuffer::kChunkRecords;
  const struct {
    int before, after;
  } cases[] = {{3, 5}, {5, 3}, {0, 2 * kChunk + 7}, {2 * kChunk + 7, 2}, {kChunk - 1, kChunk + 1}, {4, 0}};
  for (const auto& c : cases) {
    for (const bool fromScratch : {true, false}) {
      const auto db = std::make_unique<ToolpathDatabase>();
      Fill(*db, program(c.before, 1000));
      const std::vector<ToolpathRecord> wanted = program(c.after, 0);
      bool replaced = false;
      if (fromScratch) {
        const auto scratch = std::make_unique<ToolpathDatabase>();
        for (const ToolpathRecord& r : wanted) ASSERT_TRUE(scratch->AppendRecord(r));
        replaced = db->ReplaceRecords(*scratch);
      } else {
        replaced = db->ReplaceRecords(wanted);
      }
      const std::string what = std::to_string(c.before) + " -> " + std::to_string(c.after) +
                                (fromScratch ? " from a scratch store" : " from records");
      ASSERT_TRUE(replaced) << what;
      ASSERT_EQ(db->recordCount, c.after) << what;
      for (int i = 0; i < c.after; ++i) ASSERT_EQ(test::Describe(*db->RecordAt(i)), test::Describe(wanted[i])) << what;
    }
  }
}

TEST(Records, ReplacingChangesOnlyTheRecords) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0, 100)});
  ASSERT_TRUE(db.SaveToLayer(3));
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Push));
  db.statistics.highestFeed = 100;
  ToolpathDatabase scratch;
  scratch.AppendRecord(Rec(K::RapidStart, 1, 1, 50));
  scratch.AppendRecord(Rec(K::Feed, 99999, 0, 0));  // out of range: it arrives as a None record
  ASSERT_TRUE(db.ReplaceRecords(scratch));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 1 1 50 0", "0 32700 32700 32700 300"}));
  EXPECT_EQ(db.layers[3].pointCount(), 2) << "the layer keeps its copy";
  EXPECT_EQ(db.undoTop(), 1) << "the caller pushes the undo snapshot";
  EXPECT_EQ(db.statistics.highestFeed, 100) << "the caller recomputes the statistics";
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "3 0 0 0 100"}));
}

TEST(Records, AResultBeyondTheRecordLimitReplacesNothing) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0, 100)});
  // Never read: the length alone refuses it.
  const RecordMemory tooMany(ToolpathDatabase::kMaxRecords + std::size_t{1});
  ASSERT_NE(tooMany.data(), nullptr);
  EXPECT_FALSE(db.ReplaceRecords(std::span<const ToolpathRecord>(tooMany.data(), tooMany.count())));
  EXPECT_EQ(test::Records(db), (std::vector<std::string>{"1 0 0 50 0", "3 0 0 0 100"}));
}

}  // namespace
}  // namespace fendo
