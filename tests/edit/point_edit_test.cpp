#include "edit/point_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/toolpath_database.h"
#include "core/view_state.h"
#include "edit/contour_close.h"
#include "edit/edit_programs.h"
#include "edit/rapid_window.h"

namespace fendo {
namespace {

using test::Fill;
using test::Rec;
using test::Records;
using K = MoveKind;
using Texts = std::vector<std::string>;

// One pass: start high, approach, four cuts, retract. Feeds tell the records apart.
std::vector<ToolpathRecord> Pass() {
  return {Rec(K::RapidStart, 0, 0, 50, 111), Rec(K::Rapid, 0, 0, 2, 112),   Rec(K::FeedStart, 0, 0, 0, 500),
          Rec(K::Feed, 10, 0, 0, 600),       Rec(K::Feed, 20, 0, 0, 700),   Rec(K::Feed, 30, 0, 0, 800),
          Rec(K::RapidStart, 30, 0, 50, 222)};
}

PointEditValues Entered(PointEditMode mode, PointMotion motion) {
  return {.x = 5, .y = 6, .z = -1, .feed = 900, .mode = mode, .motion = motion};
}

TEST(PointEdit, AMovedRecordTakesTheValuesAndTheNextMotionFollowsIt) {
  struct Case {
    const char* what;
    int record;
    PointMotion motion;
    Texts changed;  // records 1 … 5 afterwards
  };
  const Case cases[] = {
      {"a cut moved as a cut stays in its path", 3, PointMotion::Cutting,
       {"2 0 0 2 112", "3 0 0 0 500", "3 5 6 -1 900", "4 20 0 0 700", "4 30 0 0 800"}},
      {"a cut made rapid starts a new path at the next cut", 3, PointMotion::Rapid,
       {"2 0 0 2 112", "3 0 0 0 500", "1 5 6 -1 900", "3 20 0 0 700", "4 30 0 0 800"}},
      {"the approach made a cut joins the path", 1, PointMotion::Cutting,
       {"3 5 6 -1 900", "4 0 0 0 500", "4 10 0 0 600", "4 20 0 0 700", "4 30 0 0 800"}},
      {"the last cut made rapid continues into the retract", 5, PointMotion::Rapid,
       {"2 0 0 2 112", "3 0 0 0 500", "4 10 0 0 600", "4 20 0 0 700", "1 5 6 -1 900"}},
      {"the first cut made rapid hands the start to the next cut", 2, PointMotion::Rapid,
       {"2 0 0 2 112", "1 5 6 -1 900", "3 10 0 0 600", "4 20 0 0 700", "4 30 0 0 800"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, Pass());
    ASSERT_EQ(EditPoint(db, c.record, Entered(PointEditMode::Move, c.motion)), EditOutcome::Changed) << c.what;
    const Texts records = Records(db);
    EXPECT_EQ(Texts(records.begin() + 1, records.begin() + 6), c.changed) << c.what;
    if (c.record == 5) {
      EXPECT_EQ(records[6], "2 30 0 50 222") << c.what;
    }
    EXPECT_EQ(db.recordCount, 7) << c.what;
  }
}

TEST(PointEdit, AnInsertedRecordComesBeforeThePointAndThePointFollowsIt) {
  struct Case {
    const char* what;
    int record;
    PointMotion motion;
    Texts around;  // the inserted record and the one after it
  };
  const Case cases[] = {
      {"a new first point of a path: the old one is a cut of it", 2, PointMotion::Cutting,
       {"3 5 6 -1 900", "4 0 0 0 500"}},
      {"a rapid point in the middle of a path splits it", 4, PointMotion::Rapid, {"1 5 6 -1 900", "3 20 0 0 700"}},
      {"a rapid point before the approach continues the rapid run", 1, PointMotion::Rapid,
       {"1 5 6 -1 900", "2 0 0 2 112"}},
      {"a cut before the retract", 6, PointMotion::Cutting, {"3 5 6 -1 900", "1 30 0 50 222"}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, Pass());
    const Texts before = Records(db);
    ASSERT_EQ(EditPoint(db, c.record, Entered(PointEditMode::Insert, c.motion)), EditOutcome::Changed) << c.what;
    ASSERT_EQ(db.recordCount, 8) << c.what;
    const Texts records = Records(db);
    EXPECT_EQ(Texts(records.begin() + c.record, records.begin() + c.record + 2), c.around) << c.what;
    EXPECT_EQ(Texts(records.begin(), records.begin() + c.record), Texts(before.begin(), before.begin() + c.record))
        << c.what;
    EXPECT_EQ(Texts(records.begin() + c.record + 2, records.end()), Texts(before.begin() + c.record + 1, before.end()))
        << c.what;
  }
}

TEST(PointEdit, StartAndEndPointsKeepTheFeedOutOfIt) {
  ToolpathDatabase db;
  Fill(db, Pass());
  ASSERT_EQ(FirstMotionRecord(db), 0);
  ASSERT_EQ(LastMotionRecord(db), 6);
  // A moved record keeps its own feed.
  ASSERT_EQ(EditPoint(db, 0, Entered(PointEditMode::Move, PointMotion::Rapid), FeedField::Ignored),
            EditOutcome::Changed);
  EXPECT_EQ(Records(db)[0], "1 5 6 -1 111");
  // An inserted one takes the feed of the record it goes before.
  ASSERT_EQ(EditPoint(db, 6, Entered(PointEditMode::Insert, PointMotion::Rapid), FeedField::Ignored),
            EditOutcome::Changed);
  EXPECT_EQ(Records(db)[6], "1 5 6 -1 222");
  EXPECT_EQ(Records(db)[7], "2 30 0 50 222");
  EXPECT_EQ(LastMotionRecord(db), 7);
}

TEST(PointEdit, EveryEditIsOneUndoStepAndTheDialogIsFilledFromTheRecord) {
  ToolpathDatabase db;
  Fill(db, Pass());
  const Texts original = Records(db);
  const PointEditValues filled = PointEditValuesOf(db, 1, PointEditMode::Insert);
  EXPECT_EQ(filled.z, 2);
  EXPECT_EQ(filled.feed, 112);
  EXPECT_EQ(filled.motion, PointMotion::Rapid);
  EXPECT_EQ(filled.mode, PointEditMode::Insert);
  EXPECT_EQ(PointEditValuesOf(db, 4, PointEditMode::Move).motion, PointMotion::Cutting);

  ASSERT_EQ(EditPoint(db, 3, Entered(PointEditMode::Move, PointMotion::Rapid)), EditOutcome::Changed);
  const Texts moved = Records(db);
  ASSERT_EQ(EditPoint(db, 2, Entered(PointEditMode::Insert, PointMotion::Cutting)), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 2);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(Records(db), moved);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(Records(db), original);
}

TEST(PointEdit, WhatCannotBeDoneChangesNothing) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0), Rec(K::ArcCw, 10, 0, 0), Rec(K::CentreXY, 5, 0, 0),
            Rec(K::None, 0, 0, 0)});
  const Texts before = Records(db);
  PointEditValues tooFast = Entered(PointEditMode::Move, PointMotion::Cutting);
  tooFast.feed = 100001;
  EXPECT_EQ(EditPoint(db, 1, tooFast), EditOutcome::Refused);
  ASSERT_TRUE(CheckPointEditValues(tooFast));
  EXPECT_EQ(CheckPointEditValues(tooFast)->label, "이송속도");
  EXPECT_EQ(EditPoint(db, 3, Entered(PointEditMode::Move, PointMotion::Cutting)), EditOutcome::Refused)
      << "a centre record is no point";
  EXPECT_EQ(EditPoint(db, 4, Entered(PointEditMode::Insert, PointMotion::Cutting)), EditOutcome::Refused);
  EXPECT_EQ(Records(db), before);

  // A work buffer at the record limit takes no insert.
  db.recordCount = ToolpathDatabase::kMaxRecords;
  EXPECT_EQ(EditPoint(db, 1, Entered(PointEditMode::Insert, PointMotion::Cutting)), EditOutcome::NoRoom);
  EXPECT_EQ(db.recordCount, ToolpathDatabase::kMaxRecords);
  db.recordCount = 5;
  EXPECT_EQ(Records(db), before);
  EXPECT_EQ(db.undoPos(), 0);
}

TEST(PointEdit, AMovedArcEndIsAStraightMoveWithoutItsCentre) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::ArcCw, 10, 0, 0, 300),
            Rec(K::CentreXY, 5, 0, 0), Rec(K::Feed, 20, 0, 0, 300)});
  ASSERT_EQ(EditPoint(db, 2, Entered(PointEditMode::Move, PointMotion::Cutting)), EditOutcome::Changed);
  const Texts records = Records(db);
  EXPECT_EQ(Texts(records.begin() + 2, records.end()), (Texts{"3 5 6 -1 900", "0 5 0 0 0", "4 20 0 0 300"}));
}

// ---- Rapid change by window

// Looking down at the model, 10 pixels a millimetre.
ViewState TopView() { return {.angleA = 0, .angleB = 0, .angleC = 0, .scale = 10, .clientWidth = 800, .clientHeight = 600}; }

TEST(RapidsInWindow, TheMovesIntoInsideAndOutOfTheWindowBecomeRapidWhereTheyAre) {
  ToolpathDatabase db;
  Fill(db, Pass());
  const ViewState top = TopView();
  const Projection projection(top);
  // Around the cuts to x = 10 and x = 20 only.
  const ClientPoint a = projection.ToClient({8, -1, 0});
  const ClientPoint b = projection.ToClient({22, 1, 0});
  ASSERT_EQ(RapidsInWindow(db, a, b, top), EditOutcome::Changed);
  EXPECT_EQ(Records(db), (Texts{"1 0 0 50 111", "2 0 0 2 112", "3 0 0 0 500", "1 10 0 0 600", "2 20 0 0 700",
                                "2 30 0 0 800", "2 30 0 50 222"}))
      << "the cut into the window, the one inside and the one out of it are rapid moves at their places";
  EXPECT_EQ(db.undoPos(), 1);
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(Records(db)[3], "4 10 0 0 600");

  ToolpathDatabase empty;
  Fill(empty, Pass());
  EXPECT_EQ(RapidsInWindow(empty, projection.ToClient({100, 100, 0}), projection.ToClient({120, 120, 0}), top),
            EditOutcome::Unchanged);
  EXPECT_EQ(empty.undoPos(), 0);
}

TEST(RapidsInWindow, AnArcMadeRapidLeavesNoCentreRecord) {
  ToolpathDatabase db;
  Fill(db, {Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 0, 300), Rec(K::ArcCw, 10, 0, 0, 300),
            Rec(K::CentreXY, 5, 0, 0), Rec(K::Feed, 20, 0, 0, 300), Rec(K::RapidStart, 20, 0, 50)});
  const ViewState top = TopView();
  const Projection projection(top);
  ASSERT_EQ(RapidsInWindow(db, projection.ToClient({9, -1, 0}), projection.ToClient({11, 1, 0}), top),
            EditOutcome::Changed);
  const Texts records = Records(db);
  EXPECT_EQ(records[2], "1 10 0 0 300");
  EXPECT_EQ(records[3].substr(0, 2), "0 ");
  EXPECT_EQ(records[4], "2 20 0 0 300");
}

// ---- Contour close

// A ring at depth −5 of `records` records from its approach at (0, 0, −3) to its end: cuts
// round a square of side 20 coming back to (1, 0, −5); the retract after it.
std::vector<ToolpathRecord> Ring(int records, float x0 = 0) {
  const int cuts = records - 2;
  std::vector<ToolpathRecord> r{Rec(K::RapidStart, x0, 0, 50), Rec(K::Rapid, x0, 0, -3), Rec(K::FeedStart, x0, 0, -5, 700)};
  for (int k = 1; k < cuts; ++k) {
    const float t = 80.0f * k / cuts;  // along the square's outline
    const float x = t < 20 ? t : t < 40 ? 20 : t < 60 ? 60 - t : 0;
    const float y = t < 20 ? 0 : t < 40 ? t - 20 : t < 60 ? 20 : 80 - t;
    r.push_back(Rec(K::Feed, x0 + x, y, -5, 700));
  }
  r.push_back(Rec(K::Feed, x0 + 1, 0, -5, 700));
  r.push_back(Rec(K::RapidStart, x0 + 1, 0, 50));
  return r;
}

TEST(ContourClose, ARingStartsAtItsEndAndItsFirstCutClosesIt) {
  ToolpathDatabase db;
  Fill(db, Ring(14));
  db.safeZ = 50;
  const double gap = LargestRingGap(db);
  EXPECT_NEAR(gap, std::hypot(1.0, 2.0), 1e-6) << "from the approach to the end";
  ASSERT_EQ(CloseContours(db, gap), EditOutcome::Changed);
  const Texts records = Records(db);
  ASSERT_EQ(records.size(), 17u);
  EXPECT_EQ(Texts(records.begin(), records.begin() + 4),
            (Texts{"1 0 0 50 0", "2 1 0 50 700", "2 1 0 -5 700", "3 0 0 -5 700"}))
      << "over the end, down to it, then the cut to the old start";
  EXPECT_EQ(records[15], "4 1 0 -5 700");
  EXPECT_EQ(records[16], "1 1 0 50 0");
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_EQ(db.recordCount, 16);
}

TEST(ContourClose, ShortRingsOfferNoGapButAreClosedWhenTheirGapIsSmallEnough) {
  struct Case {
    const char* what;
    std::vector<ToolpathRecord> program;
    double offered;
  };
  std::vector<ToolpathRecord> both = Ring(11);
  const std::vector<ToolpathRecord> longer = Ring(12, 100);
  both.insert(both.end(), longer.begin() + 1, longer.end());
  const Case cases[] = {
      {"a ring of 11 records", Ring(11), 0},
      {"a ring of 12 records", Ring(12), std::hypot(1.0, 2.0)},
      {"both", both, std::hypot(1.0, 2.0)},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    Fill(db, c.program);
    EXPECT_NEAR(LargestRingGap(db), c.offered, 1e-6) << c.what;
  }
  ToolpathDatabase db;
  Fill(db, both);
  ASSERT_EQ(CloseContours(db, 3), EditOutcome::Changed);
  int closed = 0;
  for (const std::string& r : Records(db)) closed += r == "2 1 0 -5 700" || r == "2 101 0 -5 700";
  EXPECT_EQ(closed, 2) << "the short ring is closed too";
}

TEST(ContourClose, OpenPathsWideGapsAndPathsThatChangeHeightStay) {
  std::vector<ToolpathRecord> ramp = Ring(14);
  ramp[ramp.size() - 2].z = -4.5f;  // ends 0.5 above its start: no ring
  std::vector<ToolpathRecord> wide = Ring(14);
  ToolpathDatabase db;
  Fill(db, wide);
  const Texts before = Records(db);
  EXPECT_EQ(CloseContours(db, std::hypot(1.0, 2.0) - 0.011), EditOutcome::Unchanged) << "the gap exceeds it by 0.011";
  EXPECT_EQ(CloseContours(db, std::hypot(1.0, 2.0) - 0.009), EditOutcome::Changed) << "by 0.009 only";
  ToolpathDatabase ramped;
  Fill(ramped, ramp);
  EXPECT_EQ(LargestRingGap(ramped), 0);
  EXPECT_EQ(CloseContours(ramped, 100), EditOutcome::Unchanged);
  EXPECT_EQ(ramped.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
