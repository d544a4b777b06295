// The pencil command on finishing programs made here: a pocket whose filleted walls the
// finishing tool could not follow, passes that cross the same corner twice, sloping corners
// and level corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/nc_reader.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "generate/pencil.h"
#include "generate/pencil_programs.h"

namespace fendo {
namespace {

using test::kPocketCornerX;
using test::kPocketFloor;
using test::Pocket;
using test::PocketPass;
using test::ProgramBuilder;

constexpr double kNear = 0.001;  // mm, float rounding of stored coordinates

// The cuts of the work buffer: per path, its FeedStart and the Feed moves after it.
std::vector<std::vector<Point3>> Paths(ToolpathDatabase& db) {
  std::vector<std::vector<Point3>> paths;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord r = *db.RecordAt(i);
    if (r.kind == MoveKind::FeedStart) paths.emplace_back();
    if (IsCuttingKind(r.kind)) {
      EXPECT_FALSE(paths.empty()) << "a cut before any FeedStart at record " << i;
      if (!paths.empty()) paths.back().push_back(PositionOf(r));
    }
  }
  return paths;
}

// What every pencil result must be: paths of at least two points, no point cut twice, no
// move longer than the link distance. With `sharedEnds`, a path may start where another ends
// (the turning point of a corner that climbs, then descends).
void ExpectSoundPaths(ToolpathDatabase& db, double maxLink, bool sharedEnds = false) {
  std::set<std::tuple<float, float, float>> seen;
  std::set<std::tuple<float, float, float>> ends;
  for (const std::vector<Point3>& path : Paths(db)) {
    EXPECT_GE(path.size(), 2u) << "a one-point path at " << path.front().x << ' ' << path.front().y;
    for (std::size_t i = 0; i < path.size(); ++i) {
      const std::tuple<float, float, float> point{float(path[i].x), float(path[i].y), float(path[i].z)};
      const bool end = i == 0 || i + 1 == path.size();
      if (sharedEnds && end && ends.insert(point).second == false) continue;
      if (end) ends.insert(point);
      EXPECT_TRUE(seen.insert(point).second)
          << "cut twice: " << path[i].x << ' ' << path[i].y << ' ' << path[i].z;
      if (i > 0) {
        EXPECT_LT(Length(path[i] - path[i - 1]), maxLink);
      }
    }
  }
}

TEST(Pencil, FollowsTheFilletedCornersOfAPocketOnePathEach) {
  for (const bool zigzag : {true, false}) {
    ToolpathDatabase db;
    Pocket(0, 50, 1, zigzag).LoadInto(db);
    const int undoBefore = db.undoTop();
    const PencilResult result = GeneratePencil(db, {});
    ASSERT_EQ(result.outcome, EditOutcome::Changed);
    EXPECT_EQ(result.corners, 102) << "one corner for each crossing of each wall";
    EXPECT_EQ(result.paths, 2);
    EXPECT_EQ(db.undoTop(), undoBefore + 1) << "one undo snapshot";
    const std::vector<std::vector<Point3>> paths = Paths(db);
    ASSERT_EQ(paths.size(), 2u);
    std::set<int> walls;
    for (const std::vector<Point3>& path : paths) {
      const double wallX = path.front().x < 50 ? kPocketCornerX : 100 - kPocketCornerX;
      walls.insert(static_cast<int>(wallX));
      ASSERT_EQ(path.size(), 51u);
      for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_NEAR(path[i].x, wallX, kNear);
        EXPECT_NEAR(path[i].z, kPocketFloor, kNear);
        if (i > 0) {
          EXPECT_NEAR(std::abs(path[i].y - path[i - 1].y), 1, kNear) << "along the corner, in order";
        }
      }
    }
    EXPECT_EQ(walls.size(), 2u);
    ExpectSoundPaths(db, 4);
    // Every cut runs at the work feed.
    for (int i = 0; i < db.recordCount; ++i) {
      if (IsCuttingKind(db.RecordAt(i)->kind)) {
        EXPECT_EQ(db.RecordAt(i)->feed, db.workFeed);
      }
    }
    ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
    EXPECT_EQ(db.recordCount, static_cast<int>(Pocket(0, 50, 1, zigzag).records().size()));
  }
}

TEST(Pencil, CutsACornerCrossedTwiceOnce) {
  ProgramBuilder twice = Pocket(0, 20);
  for (double y = 0; y <= 20; y += 1) twice.Cut(PocketPass(y, false));
  ToolpathDatabase once;
  Pocket(0, 20).LoadInto(once);
  ToolpathDatabase db;
  twice.LoadInto(db);
  const PencilResult result = GeneratePencil(db, {});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  EXPECT_EQ(result.paths, 2);
  ASSERT_EQ(GeneratePencil(once, {}).outcome, EditOutcome::Changed);
  EXPECT_EQ(Paths(db).size(), Paths(once).size());
  std::size_t points = 0;
  std::size_t pointsOnce = 0;
  for (const auto& path : Paths(db)) points += path.size();
  for (const auto& path : Paths(once)) pointsOnce += path.size();
  EXPECT_EQ(points, pointsOnce);
  ExpectSoundPaths(db, 4);
}

TEST(Pencil, GapsAndShortPaths) {
  struct Case {
    const char* what;
    PencilParams params;
    int paths;
  };
  // Passes at y 0 … 10 and 20 … 21: each wall's corner has a gap of 10 mm.
  ProgramBuilder program = Pocket(0, 10);
  for (const double y : {20.0, 21.0}) program.Cut(PocketPass(y));
  const Case cases[] = {
      {"a gap wider than the link distance parts a corner's path", {.deleteLength = 0}, 4},
      {"a link distance over the gap bridges it", {.deleteLength = 0, .maxLink = 12}, 2},
      {"paths shorter than the delete length go (the program's last path stays)", {.deleteLength = 4}, -1},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    program.LoadInto(db);
    const PencilResult result = GeneratePencil(db, c.params);
    EXPECT_EQ(result.outcome, EditOutcome::Changed) << c.what;
    const std::vector<std::vector<Point3>> paths = Paths(db);
    if (c.paths >= 0) {
      EXPECT_EQ(static_cast<int>(paths.size()), c.paths) << c.what;
    }
    int longPaths = 0;
    for (std::size_t p = 0; p < paths.size(); ++p) {
      double length = 0;
      for (std::size_t i = 1; i < paths[p].size(); ++i) length += Length(paths[p][i] - paths[p][i - 1]);
      if (p + 1 < paths.size()) {
        EXPECT_GE(length, c.params.deleteLength - kNear) << c.what;
      }
      longPaths += length >= 10 - kNear;
    }
    EXPECT_EQ(longPaths, 2) << c.what;
    ExpectSoundPaths(db, c.params.maxLink);
  }
}

TEST(Pencil, NoLinkCutsThroughAPassThatStandsHigherBetweenItsPoints) {
  // Passes at y 0 … 20; the one at y = 10 runs 5 mm higher (over a bump across the pocket), so
  // its corners lie far from the others, and the links from y = 9 to y = 11, 2 mm long, would
  // cut through it.
  ProgramBuilder program;
  for (int y = 0; y <= 20; ++y) program.Cut(PocketPass(y, true, y == 10 ? -5 : 0));
  ToolpathDatabase db;
  program.LoadInto(db);
  ASSERT_EQ(GeneratePencil(db, {}).outcome, EditOutcome::Changed);
  const std::vector<std::vector<Point3>> paths = Paths(db);
  EXPECT_EQ(paths.size(), 4u) << "each wall's corner in two paths, one each side of the bump";
  for (const std::vector<Point3>& path : paths) {
    for (std::size_t i = 1; i < path.size(); ++i) {
      EXPECT_NEAR(std::abs(path[i].y - path[i - 1].y), 1, kNear) << "no link over the bump at y " << path[i].y;
    }
  }
  ExpectSoundPaths(db, 4);
}

TEST(Pencil, FindsTheCornerWhereAnArcMeetsACut) {
  // Passes that come down a quarter circle (G18, centre 5 mm below its start) onto a level
  // cut: the corner lies at the arc's end, where the arc comes down vertically.
  std::string program = "G90 G21\n";
  for (int y = 0; y <= 10; ++y) {
    program += "G00 X0 Y" + std::to_string(y) + " Z50\nG01 Z0 F500\nG01 X5\nG18 G03 X10 Z-5 I0 K-5\nG01 X20\nG00 Z50\n";
  }
  ToolpathDatabase db;
  ASSERT_TRUE(AppendText(db, program).ok());
  int arcs = 0;
  db.ForEachRecord([&arcs](int, const ToolpathRecord& r) { arcs += IsArcKind(r.kind); });
  ASSERT_EQ(arcs, 11);
  db.safeZ = 50;
  const PencilResult result = GeneratePencil(db, {});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  const std::vector<std::vector<Point3>> paths = Paths(db);
  ASSERT_EQ(paths.size(), 1u);
  for (const Point3& p : paths.front()) {
    EXPECT_NEAR(p.x, 10, kNear);
    EXPECT_NEAR(p.z, -5, kNear);
  }
  EXPECT_EQ(paths.front().size(), 11u);
}

TEST(Pencil, SeparatesClimbingAndDescendingCorners) {
  // The pocket's floor rises by 0.5 mm a pass up to y = 10, then falls again: each corner line
  // climbs, then descends.
  ProgramBuilder program;
  for (int pass = 0; pass <= 20; ++pass) program.Cut(PocketPass(pass, true, -0.5 * (10 - std::abs(pass - 10))));
  for (const bool separate : {true, false}) {
    ToolpathDatabase db;
    program.LoadInto(db);
    const PencilResult result = GeneratePencil(db, {.deleteLength = 0, .separateUpDown = separate});
    ASSERT_EQ(result.outcome, EditOutcome::Changed);
    EXPECT_EQ(Paths(db).size(), separate ? 4u : 2u);
    ExpectSoundPaths(db, 4, separate);
    for (const std::vector<Point3>& path : Paths(db)) {
      int climbs = 0;
      int descents = 0;
      for (std::size_t i = 1; i < path.size(); ++i) {
        climbs += path[i].z > path[i - 1].z + kNear;
        descents += path[i].z < path[i - 1].z - kNear;
      }
      if (separate) {
        EXPECT_TRUE(climbs == 0 || descents == 0);
      }
    }
  }
}

TEST(Pencil, WigglesWithinTheFinishingToleranceAreNoTurn) {
  // The floor wiggles by 0.02 mm from pass to pass: each corner stays one path.
  ProgramBuilder program;
  for (int pass = 0; pass <= 20; ++pass) program.Cut(PocketPass(pass, true, pass % 2 == 0 ? 0 : 0.02));
  ToolpathDatabase db;
  program.LoadInto(db);
  ASSERT_EQ(GeneratePencil(db, {}).outcome, EditOutcome::Changed);
  EXPECT_EQ(Paths(db).size(), 2u);
  ExpectSoundPaths(db, 4);
}

TEST(Pencil, LevelCornersOnlyWithXyCorners) {
  // A square pocket wall followed round twice at one height, 3 mm on a side.
  ProgramBuilder program;
  program.Cut({{0, 0, -5}, {3, 0, -5}, {3, 3, -5}, {0, 3, -5}, {0, 0, -5}, {3, 0, -5}, {3, 3, -5}, {0, 3, -5}, {0, 0, -5}});
  ToolpathDatabase off;
  program.LoadInto(off);
  const PencilResult none = GeneratePencil(off, {});
  EXPECT_EQ(none.outcome, EditOutcome::Unchanged);
  EXPECT_EQ(off.recordCount, static_cast<int>(program.records().size()));
  ToolpathDatabase on;
  program.LoadInto(on);
  const PencilResult result = GeneratePencil(on, {.deleteLength = 0, .xyCorner = true});
  ASSERT_EQ(result.outcome, EditOutcome::Changed);
  EXPECT_EQ(result.corners, 4) << "each corner of the square once";
  ASSERT_EQ(Paths(on).size(), 1u);
  EXPECT_EQ(Paths(on).front().size(), 4u);
  ExpectSoundPaths(on, 4);
}

TEST(Pencil, NothingToDoChangesNothing) {
  struct Case {
    const char* what;
    std::vector<Point3> cut;
    PencilParams params;
    EditOutcome outcome;
  };
  const Case cases[] = {
      {"a level cut has no corner", {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, {}, EditOutcome::Unchanged},
      {"a convex edge is no corner", {{0, 0, 0}, {10, 0, 5}, {20, 0, 5}}, {}, EditOutcome::Unchanged},
      {"one corner alone makes no path", {{0, 0, 5}, {10, 0, 0}, {20, 0, 5}}, {}, EditOutcome::Unchanged},
      {"an angle out of range", {{0, 0, 5}, {10, 0, 0}, {20, 0, 5}}, {.smallAngle = 0}, EditOutcome::Refused},
      {"a link distance out of range", {{0, 0, 5}, {10, 0, 0}, {20, 0, 5}}, {.maxLink = 0}, EditOutcome::Refused},
  };
  for (const Case& c : cases) {
    ProgramBuilder program;
    program.Cut(c.cut);
    ToolpathDatabase db;
    program.LoadInto(db);
    const int undoBefore = db.undoTop();
    EXPECT_EQ(GeneratePencil(db, c.params).outcome, c.outcome) << c.what;
    EXPECT_EQ(db.recordCount, static_cast<int>(program.records().size())) << c.what;
    EXPECT_EQ(db.undoTop(), undoBefore) << c.what;
  }
}

// The texts a command shows while it works, in order.
class RecordedProgress : public Progress {
 public:
  void Report(std::string_view text, std::int64_t, std::int64_t) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

TEST(Pencil, ShowsTheCornerSearchThenTheSortingThenClearsThePrompt) {
  ToolpathDatabase db;
  Pocket(0, 50).LoadInto(db);
  RecordedProgress progress;
  ASSERT_EQ(GeneratePencil(db, {}, &progress).outcome, EditOutcome::Changed);
  ASSERT_GE(progress.texts.size(), 3u);
  EXPECT_EQ(progress.texts.front(), " Corner search(0.00 %).");
  const auto sorting = std::ranges::find(progress.texts, std::string(" Sorting(0.00 %)."));
  ASSERT_NE(sorting, progress.texts.end());
  for (auto it = progress.texts.begin(); it != sorting; ++it) EXPECT_TRUE(it->starts_with(" Corner search(")) << *it;
  EXPECT_EQ(progress.texts.back(), " ");
}

TEST(Pencil, RangesAndDefaults) {
  const PencilParams defaults;
  EXPECT_EQ(defaults.smallAngle, 15.0f);
  EXPECT_EQ(defaults.deleteLength, 4.0f);
  EXPECT_EQ(defaults.maxLink, 4.0f);
  EXPECT_TRUE(defaults.separateUpDown);
  EXPECT_FALSE(defaults.xyCorner);
  EXPECT_FALSE(CheckPencilParams(defaults));
  const std::optional<OptionOutOfRange> refused = CheckPencilParams({.deleteLength = -1});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->label, "삭제 경로길이");
}

}  // namespace
}  // namespace fendo
