// Properties of every delete on generated programs: a delete takes cuts away or turns them
// into rapid moves, it never makes a cut between two points that no cut joined before; and one
// undo step gives back the program as it was, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/nc_reader.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/delete_by_angle.h"
#include "edit/delete_by_length.h"
#include "edit/delete_region.h"
#include "edit/delete_selection.h"
#include "edit/edit_checks.h"
#include "edit/motion_records.h"
#include "edit/path_delete.h"
#include "edit/point_delete.h"
#include "support/generated_program.h"
#include "view/path_span.h"
#include "view/sample_program.h"

namespace fendo {
namespace {

using Random = std::mt19937;

double Uniform(Random& random, double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }

ClientPoint RandomPixel(Random& random) { return {Uniform(random, 0, 200), Uniform(random, 0, 200)}; }

// A cutting record chosen at random.
int RandomCut(ToolpathDatabase& db, Random& random) {
  for (;;) {
    const int i = static_cast<int>(Uniform(random, 0, db.recordCount));
    if (IsCuttingKind(db.RecordAt(i)->kind)) return i;
  }
}

// Views 200 × 200 pixels in which a generated program fills most of the window.
ViewState TopView() {
  ViewState view = test::TopView();
  view.scale = 3;
  return view;
}
ViewState IsoView() { return {.scale = 3, .clientWidth = 200, .clientHeight = 200}; }

struct Delete {
  const char* name;
  bool joinsPoints;  // the delete says it joins the points on either side
  bool rebuilds;     // the delete ends with the rapid rebuild (the slope delete normalises the
                     // plunges after it, which a second rebuild would lead to anew)
  std::function<EditOutcome(ToolpathDatabase&, Random&)> run;
};

const std::vector<Delete> kDeletes = {
    {"xy angle", false, true,
     [](ToolpathDatabase& db, Random& r) {
       return DeleteByXyAngle(db, {.angle = Uniform(r, 0, 360), .tolerance = Uniform(r, 5, 40)});
     }},
    {"slope", false, false,
     [](ToolpathDatabase& db, Random& r) {
       const double low = Uniform(r, 0, 60);
       return DeleteBySlope(db, {.minAngle = low, .maxAngle = low + Uniform(r, 0, 30), .ignoreLength = Uniform(r, 0, 8)});
     }},
    {"slope defaults", false, false, [](ToolpathDatabase& db, Random&) { return DeleteBySlope(db, {}); }},
    {"points by length", false, true,
     [](ToolpathDatabase& db, Random& r) { return DeletePointsByLength(db, {.length = Uniform(r, 0.5, 4)}); }},
    {"paths by length", false, true,
     [](ToolpathDatabase& db, Random& r) { return DeletePathsByLength(db, {.length = Uniform(r, 10, 400)}); }},
    {"window from the top", false, true,
     [](ToolpathDatabase& db, Random& r) { return DeleteInWindow(db, RandomPixel(r), RandomPixel(r), TopView()); }},
    {"window at an angle", false, true,
     [](ToolpathDatabase& db, Random& r) { return DeleteInWindow(db, RandomPixel(r), RandomPixel(r), IsoView()); }},
    {"polygon", false, true,
     [](ToolpathDatabase& db, Random& r) {
       std::vector<ClientPoint> polygon(3 + static_cast<int>(Uniform(r, 0, 6)));
       for (ClientPoint& p : polygon) p = RandomPixel(r);
       return DeleteInPolygon(db, polygon, TopView());
     }},
    {"selected", false, true,
     [](ToolpathDatabase& db, Random& r) {
       for (int k = 0; k < 40; ++k) {
         const int i = RandomCut(db, r);
         db.ReadRecord(i);
         db.cursor.selected = 1;
         db.WriteRecord(i);
       }
       return DeleteSelected(db);
     }},
    {"one path", false, false,
     [](ToolpathDatabase& db, Random& r) { return DeleteOnePath(db, PathAround(db, RandomCut(db, r)).first); }},
    {"point", true, false, [](ToolpathDatabase& db, Random& r) { return DeletePoint(db, RandomCut(db, r)); }},
    {"all", false, false, [](ToolpathDatabase& db, Random&) { return DeleteAll(db); }},
};

TEST(DeleteProperties, NoNewCutAndUndoGivesBackTheProgram) {
  std::set<std::string> deletedSomething;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    for (const Delete& d : kDeletes) {
      Random random(seed * 7919 + static_cast<unsigned>(d.name[0]));
      ToolpathDatabase db;
      AppendText(db, test::GeneratedProgram(seed));
      db.safeZ = 50;
      const std::vector<ToolpathRecord> before = CopyRecords(db);
      const std::set<std::string> cutsBefore = test::CutLinks(db);
      const EditOutcome outcome = d.run(db, random);
      ASSERT_NE(outcome, EditOutcome::NoRoom) << d.name << ' ' << seed;
      ASSERT_NE(outcome, EditOutcome::Refused) << d.name << ' ' << seed;
      const std::set<std::string> cutsAfter = test::CutLinks(db);
      if (cutsAfter.size() < cutsBefore.size()) deletedSomething.insert(d.name);
      if (!d.joinsPoints) {
        for (const std::string& cut : cutsAfter) {
          EXPECT_TRUE(cutsBefore.contains(cut)) << d.name << ' ' << seed << ": a new cut " << cut;
        }
      }
      if (d.rebuilds && outcome == EditOutcome::Changed) {
        // Rebuilt once, the rapid moves rebuild to themselves.
        ToolpathDatabase again;
        again.safeZ = db.safeZ;
        again.ReplaceRecords(db);
        EXPECT_TRUE(RebuildRapids(again));
        EXPECT_TRUE(test::HoldsRecords(again, CopyRecords(db))) << d.name << ' ' << seed << ": not rebuilt";
      }
      if (outcome == EditOutcome::Changed) {
        EXPECT_TRUE(db.Snapshot(SnapshotMode::Undo)) << d.name;
      }
      EXPECT_TRUE(test::HoldsRecords(db, before)) << d.name << ' ' << seed;
    }
  }
  for (const Delete& d : kDeletes) EXPECT_TRUE(deletedSomething.contains(d.name)) << d.name << " never deleted a cut";
}

TEST(DeleteProperties, NormalisingOnlyWhereARebuildWouldNotMakesTheSameProgram) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    Random random(seed);
    ToolpathDatabase program;
    AppendText(program, test::GeneratedProgram(seed));
    program.safeZ = 50;
    // Moves made rapid here and there; the program begins with a cut (every other seed) or
    // with an emptied record before its first rapid move.
    for (int i = 0; i < program.recordCount; ++i) {
      if (program.IsMotion(i) && Uniform(random, 0, 1) < 0.1) program.SetKind(i, MoveKind::RapidStart);
    }
    program.SetKind(0, MoveKind::None);
    if (seed % 2) program.SetKind(1, MoveKind::None);
    const std::vector<ToolpathRecord> records = CopyRecords(program);
    const auto run = [&](const std::function<void(ToolpathDatabase&)>& steps) {
      ToolpathDatabase db;
      db.safeZ = 50;
      db.ReplaceRecords(records);
      steps(db);
      EXPECT_TRUE(RebuildRapids(db));
      return CopyRecords(db);
    };
    const auto same = [](const std::vector<ToolpathRecord>& a, const std::vector<ToolpathRecord>& b) {
      return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(ToolpathRecord)) == 0;
    };
    EXPECT_TRUE(same(run([](ToolpathDatabase& db) { NormalizeKinds(db); }),
                     run([](ToolpathDatabase& db) { NormalizeBeforeRebuild(db); })))
        << seed;
    EXPECT_TRUE(same(run([](ToolpathDatabase& db) {
                       NormalizeKinds(db);
                       CompactRecords(db);
                     }),
                     run([](ToolpathDatabase& db) {
                       NormalizeBeforeRebuild(db);
                       if (!db.IsMotion(0)) CompactRecords(db);
                     })))
        << seed;
  }
}

TEST(DeleteProperties, AResultBeyondTheRecordLimitChangesNothing) {
  // Squares of 1 mm cut round and round: every move along Y turns into a rapid move between
  // two cuts, which the rebuild makes a retract, a traverse and an approach. The program of
  // half the record limit would grow past it.
  ToolpathDatabase db;
  db.safeZ = 50;
  std::vector<ToolpathRecord> records{test::Rec(MoveKind::RapidStart, 0, 0, 50), test::Rec(MoveKind::FeedStart, 0, 0, 0, 500)};
  const float corners[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
  while (static_cast<int>(records.size()) < ToolpathDatabase::kMaxRecords / 2 + 100) {
    for (const auto& corner : corners) records.push_back(test::Rec(MoveKind::Feed, corner[0], corner[1], 0, 500));
  }
  ASSERT_TRUE(db.ReplaceRecords(records));
  EXPECT_EQ(DeleteByXyAngle(db, {.angle = 90, .tolerance = 1}), EditOutcome::NoRoom);
  EXPECT_TRUE(test::HoldsRecords(db, records));
  EXPECT_EQ(db.undoPos(), 0) << "no undo step for an edit that did not happen";
}

}  // namespace
}  // namespace fendo
