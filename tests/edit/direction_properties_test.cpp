// Properties of the direction, start point, plunge, subdivision and Z-up edits on made-up
// programs: undo gives back the records exactly; no edit but an entry cuts between two points
// that no cut joined before; reversing twice cuts as before.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/toolpath_database.h"
#include "edit/edit_programs.h"
#include "edit/plunge.h"
#include "edit/reverse.h"
#include "edit/start_point.h"
#include "edit/subdivision.h"
#include "edit/z_up.h"

namespace fendo {
namespace {

using Edit = std::function<EditOutcome(ToolpathDatabase&)>;

struct NamedEdit {
  std::string_view name;
  Edit edit;
  bool cutsOnlyOldJoints;  // every new cut lies on an old one, or enters a path
};

const std::vector<NamedEdit>& Edits() {
  static const std::vector<NamedEdit> edits = {
      {"reverse", [](ToolpathDatabase& db) { return ReversePaths(db, {}); }, true},
      {"two-way", [](ToolpathDatabase& db) { return ReversePaths(db, {.direction = false, .twoWay = true}); }, true},
      {"order", [](ToolpathDatabase& db) { return ReversePaths(db, {.direction = false, .order = true}); }, true},
      {"plunge all", [](ToolpathDatabase& db) { return ChangePlunges(db, {.scope = AnglePlungeScope::All}); }, true},
      {"plunge length", [](ToolpathDatabase& db) { return ChangePlunges(db, {.zAngle = 45}); }, true},
      {"plunge none", [](ToolpathDatabase& db) { return ChangePlunges(db, {.scope = AnglePlungeScope::None}); }, true},
      {"plunge circle", [](ToolpathDatabase& db) { return ChangePlunges(db, {.method = PlungeMethod::Circle}); }, false},
      {"plunge groove", [](ToolpathDatabase& db) { return ChangePlunges(db, {.method = PlungeMethod::Groove}); }, false},
      {"z-up drop down", [](ToolpathDatabase& db) { return ZUp(db, {.mode = ZUpMode::DropDown}); }, true},
      {"z-up drop up", [](ToolpathDatabase& db) { return ZUp(db, {.mode = ZUpMode::DropUp}); }, true},
      {"z-up hold", [](ToolpathDatabase& db) { return ZUp(db, {.mode = ZUpMode::HoldDown}); }, false},
      {"z-up floor", [](ToolpathDatabase& db) { return ZUp(db, {.mode = ZUpMode::Floor, .floorZ = -4}); }, false},
      {"subdivide", [](ToolpathDatabase& db) { return Subdivide(db, {.interval = 1}); }, false},
      {"start points",
       [](ToolpathDatabase& db) {
         return ChangeStartPoints(db, StartPointMode::Both, std::vector<Point3>{{0, 0, 0}, {50, 50, 0}});
       },
       true},
  };
  return edits;
}

constexpr unsigned kSeeds = 5;

TEST(DirectionEditProperties, UndoGivesBackTheRecordsExactly) {
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    for (const NamedEdit& e : Edits()) {
      ToolpathDatabase db;
      test::ReadRandomProgram(db, seed);
      const auto before = test::StoredState(db);
      ASSERT_EQ(e.edit(db), EditOutcome::Changed) << e.name << " seed " << seed;
      EXPECT_EQ(db.undoPos(), 1) << e.name << ": one snapshot";
      ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
      EXPECT_EQ(test::StoredState(db), before) << e.name << " seed " << seed;
    }
  }
}

TEST(DirectionEditProperties, NoNewCutExceptAnEntry) {
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    for (const NamedEdit& e : Edits()) {
      if (!e.cutsOnlyOldJoints) continue;
      ToolpathDatabase db;
      test::ReadRandomProgram(db, seed);
      const std::vector<test::Joint> old = test::CuttingJoints(db);
      const std::set<test::Joint> before(old.begin(), old.end());
      e.edit(db);
      const ToolpathRecord* prev = nullptr;
      for (int i = 0; i < db.recordCount; ++i) {
        const ToolpathRecord* r = db.RecordAt(i);
        if (!IsMotionKind(r->kind)) continue;
        if (prev && IsCuttingKind(r->kind)) {
          const bool entry = r->kind == MoveKind::FeedStart && IsRapidKind(prev->kind);
          EXPECT_TRUE(entry || before.contains(test::JointOf(*prev, *r)))
              << e.name << " seed " << seed << ": " << test::Describe(*prev) << " -> " << test::Describe(*r);
        }
        prev = r;
      }
    }
  }
}

TEST(DirectionEditProperties, ReversingTwiceCutsAsBefore) {
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    for (const ReverseParams& params : {ReverseParams{}, ReverseParams{.direction = false, .twoWay = true},
                                        ReverseParams{.direction = false, .order = true},
                                        ReverseParams{.direction = true, .order = true}}) {
      ToolpathDatabase db;
      test::ReadRandomProgram(db, seed);
      const std::vector<std::string> before = test::CuttingMoves(db);
      ReversePaths(db, params);
      ReversePaths(db, params);
      EXPECT_EQ(test::CuttingMoves(db), before) << seed << params.direction << params.order << params.twoWay;
    }
  }
}

}  // namespace
}  // namespace fendo
