#include "generate/contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "generate/contour_programs.h"
#include "generate/contour_slicing.h"

namespace fendo {
namespace {

using K = MoveKind;
using test::Fill;
using test::Rec;
using test::Teeth;

constexpr float kSafeZ = 50;

// The contour paths of the work buffer: the points of each, from its plunge bottom on.
std::vector<std::vector<ToolpathRecord>> Paths(ToolpathDatabase& db) {
  std::vector<std::vector<ToolpathRecord>> paths;
  bool cutting = false;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (r.kind == K::Rapid && r.z != kSafeZ) {
      paths.push_back({r});  // the plunge bottom
      cutting = true;
    } else if (IsLinearFeedKind(r.kind)) {
      if (!cutting) paths.emplace_back();
      cutting = true;
      paths.back().push_back(r);
    } else {
      cutting = false;
    }
  });
  return paths;
}

std::vector<ToolpathRecord> All(ToolpathDatabase& db) {
  std::vector<ToolpathRecord> records;
  db.ForEachRecord([&](int, const ToolpathRecord& r) { records.push_back(r); });
  return records;
}

bool SameRecords(const std::vector<ToolpathRecord>& a, const std::vector<ToolpathRecord>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z || a[i].kind != b[i].kind || a[i].feed != b[i].feed) {
      return false;
    }
  }
  return true;
}

void Load(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  Fill(db, records);
  db.safeZ = kSafeZ;
}

TEST(Contours, HemisphereGivesClosedCirclesAtTheirRadii) {
  ToolpathDatabase db;
  ASSERT_TRUE(AppendText(db, test::HemisphereFinishing()).ok());
  db.safeZ = kSafeZ;
  // Passes 0.5 mm apart cross a ring near where they touch it up to 8.9 mm apart.
  const ContourParams params{.topZ = 20, .bottomZ = 2, .zSpacing = 4, .startX = 0, .startY = 0, .maxLink = 10};
  ASSERT_EQ(GenerateContours(db, params), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 1);

  const std::vector<std::vector<ToolpathRecord>> paths = Paths(db);
  ASSERT_EQ(paths.size(), 4u);  // planes 16, 12, 8, 4: one ring each
  const double heights[] = {16, 12, 8, 4};
  for (std::size_t k = 0; k < paths.size(); ++k) {
    const double radius = std::sqrt(test::kHemisphereRadius * test::kHemisphereRadius - heights[k] * heights[k]);
    const std::vector<ToolpathRecord>& ring = paths[k];
    ASSERT_GT(ring.size(), 20u) << heights[k];
    for (const ToolpathRecord& p : ring) {
      EXPECT_FLOAT_EQ(p.z, static_cast<float>(heights[k]));
      EXPECT_NEAR(std::hypot(p.x, p.y), radius, 0.01) << heights[k];
    }
    // Closed: it ends back at its first point, and it goes once around.
    EXPECT_EQ(ring.front().x, ring.back().x);
    EXPECT_EQ(ring.front().y, ring.back().y);
    double turned = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
      double step = std::atan2(ring[i].y, ring[i].x) - std::atan2(ring[i - 1].y, ring[i - 1].x);
      step = std::remainder(step, 2 * M_PI);
      turned += step;
      EXPECT_LE(std::hypot(ring[i].x - ring[i - 1].x, ring[i].y - ring[i - 1].y), params.maxLink);
    }
    EXPECT_NEAR(std::abs(turned), 2 * M_PI, 1e-6) << heights[k];
  }
}

TEST(Contours, PresetsTakeTheLastOfEqualHeights) {
  ToolpathDatabase db;
  Load(db, {Rec(K::RapidStart, 0, 0, 80), Rec(K::FeedStart, 1, 1, 5), Rec(K::Feed, 2, 2, -3), Rec(K::Feed, 3, 3, 5),
            Rec(K::Feed, 4, 4, -3), Rec(K::Feed, 5, 5, 0), Rec(K::RapidStart, 5, 5, 90)});
  const ContourParams kept{.zSpacing = 0.5, .maxLink = 7};
  const std::optional<ContourParams> presets = ContourPresets(db, kept);
  ASSERT_TRUE(presets);
  EXPECT_EQ(presets->topZ, 5);
  EXPECT_EQ(presets->bottomZ, -3);
  EXPECT_EQ(presets->startX, 4);  // the later of the two lowest
  EXPECT_EQ(presets->startY, 4);
  EXPECT_EQ(presets->zSpacing, 0.5);
  EXPECT_EQ(presets->maxLink, 7);

  ToolpathDatabase rapids;
  Load(rapids, {Rec(K::RapidStart, 0, 0, 80), Rec(K::Rapid, 1, 0, -10)});
  EXPECT_FALSE(ContourPresets(rapids, kept));
  EXPECT_EQ(GenerateContours(rapids, {.topZ = 80, .bottomZ = -10, .zSpacing = 1}), EditOutcome::Unchanged);
  EXPECT_EQ(rapids.undoPos(), 0);
}

// The heights of the planes that cut a ramp from z = 10 down to z = 0.
std::vector<float> PlaneHeights(double top, double bottom, double spacing) {
  const RecordList ramp{Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 10), Rec(K::Feed, 10, 0, 0)};
  std::vector<float> heights;
  const std::optional<ContourCuts> cuts = SlicePath(ramp, {top, bottom, spacing}, 100);
  for (std::size_t plane = 0; plane < cuts->Planes(); ++plane) {
    EXPECT_EQ(cuts->Plane(plane).size(), 1u);
    heights.push_back(cuts->Plane(plane).front().z);
  }
  return heights;
}

TEST(Contours, PlanesStartOneSpacingBelowTheTop) {
  EXPECT_EQ(PlaneHeights(10, 0, 4), (std::vector<float>{6, 2}));
  EXPECT_EQ(PlaneHeights(10, 0, 5), (std::vector<float>{5, 0}));
  EXPECT_EQ(PlaneHeights(10, 0, 3), (std::vector<float>{7, 4, 1}));
  EXPECT_EQ(PlaneHeights(0, 10, 3), (std::vector<float>{}));
}

TEST(Contours, LevelMovesInAPlaneGiveNoPointTheirSlopingNeighboursDo) {
  // Down to z = 5, along it, up again: the plane at 5 is touched at both ends of the level move
  // only, each reached once by the sloping move into it and once by the move out of it.
  const RecordList path{Rec(K::RapidStart, 0, 0, 50), Rec(K::FeedStart, 0, 0, 10), Rec(K::Feed, 5, 0, 5),
                        Rec(K::Feed, 15, 0, 5), Rec(K::Feed, 20, 0, 10)};
  const ContourCuts cuts = *SlicePath(path, {10, 0, 5}, 100);
  ASSERT_EQ(cuts.Planes(), 1u);
  std::vector<float> xs;
  for (const ToolpathRecord& p : cuts.Plane(0)) xs.push_back(p.x);
  EXPECT_EQ(xs, (std::vector<float>{5, 15}));
  EXPECT_FALSE(SlicePath(path, {10, 0, 5}, 1));  // past the limit given
}

// The maximum link distance decides where a path ends; the Z spacing has no say in it.
TEST(Contours, TheMaximumLinkDistanceLinksThePoints) {
  struct Case {
    double zSpacing;
    double maxLink;
    std::size_t paths;
  };
  // Groups of 5 teeth (points 0.5 apart), 2.5 mm from group to group.
  for (const Case c : {Case{1.5, 0.4, 0}, Case{1.5, 0.6, 3}, Case{1.5, 3, 1}, Case{0.25, 3, 1}, Case{1.5, 2.9, 1},
                       Case{1.5, 2.4, 3}}) {
    ToolpathDatabase db;
    Load(db, Teeth(15, 1, 1.0, 5, 2));
    const ContourParams params{.topZ = 1.5, .bottomZ = -0.5, .zSpacing = c.zSpacing, .maxLink = c.maxLink};
    const EditOutcome outcome = GenerateContours(db, params);
    if (c.paths == 0) {
      EXPECT_EQ(outcome, EditOutcome::Unchanged) << c.maxLink;  // every point alone
      continue;
    }
    ASSERT_EQ(outcome, EditOutcome::Changed) << c.maxLink;
    // Only the plane at z = 0 (of those the spacing makes) is counted.
    std::size_t atZero = 0;
    for (const auto& path : Paths(db)) atZero += path.front().z == 0;
    EXPECT_EQ(atZero, c.paths) << c.zSpacing << ' ' << c.maxLink;
  }
}

TEST(Contours, APlaneKeepsEveryCutPoint) {
  constexpr int kTeeth = 12000;  // 24,000 points in one plane
  ToolpathDatabase db;
  Load(db, Teeth(kTeeth, 1, 0.1));
  ASSERT_EQ(GenerateContours(db, {.topZ = 1, .bottomZ = -0.5, .zSpacing = 1, .maxLink = 1}), EditOutcome::Changed);
  std::map<float, int> visits;
  for (const ToolpathRecord& r : All(db)) {
    if (r.z == 0) ++visits[r.x];
  }
  EXPECT_EQ(visits.size(), 2u * kTeeth);
  for (const auto& [x, n] : visits) ASSERT_EQ(n, 1) << x;
}

TEST(Contours, AFarPointStartsAPathOfItsOwnAndIsWrittenOnce) {
  // Two teeth near the origin, one tooth 5000 mm away: three point pairs, the last far from all.
  std::vector<ToolpathRecord> records = Teeth(2, 1);
  for (ToolpathRecord r : Teeth(1, 1)) {
    if (r.kind == K::RapidStart) continue;
    r.x += 5000;
    records.insert(records.end() - 1, r);
  }
  for (const ContourParams& params : {ContourParams{.topZ = 1, .bottomZ = -0.5, .zSpacing = 1, .maxLink = 1},
                                      ContourParams{.topZ = 1, .bottomZ = -0.5, .zSpacing = 1, .startX = 9000,
                                                    .startY = -9000, .maxLink = 1}}) {
    ToolpathDatabase db;
    Load(db, records);
    ASSERT_EQ(GenerateContours(db, params), EditOutcome::Changed);
    std::map<float, int> visits;
    for (const ToolpathRecord& r : All(db)) {
      if (r.z == 0) ++visits[r.x];
    }
    const std::map<float, int> once{{0.25f, 1}, {0.75f, 1}, {1.25f, 1}, {1.75f, 1}, {5000.25f, 1}, {5000.75f, 1}};
    EXPECT_EQ(visits, once) << params.startX;
    EXPECT_EQ(Paths(db).size(), 2u) << params.startX;
  }
}

TEST(Contours, ValuesOutOfRangeAreRefusedWithoutASnapshot) {
  struct Case {
    ContourParams params;
    const char* field;
  };
  const ContourParams good{.topZ = 1, .bottomZ = -0.5, .zSpacing = 1, .maxLink = 1};
  ContourParams zero = good, negative = good, noLink = good, far = good, high = good;
  zero.zSpacing = 0;
  negative.zSpacing = -1;
  noLink.maxLink = 0;
  far.maxLink = 1001;
  high.topZ = 10001;
  for (const Case& c : {Case{zero, "zSpacing"}, Case{negative, "zSpacing"}, Case{noLink, "maxLink"},
                        Case{far, "maxLink"}, Case{high, "topZ"}}) {
    ToolpathDatabase db;
    Load(db, Teeth(3, 1));
    const std::vector<ToolpathRecord> before = All(db);
    const std::optional<OptionOutOfRange> refused = CheckContourParams(c.params);
    ASSERT_TRUE(refused) << c.field;
    EXPECT_EQ(refused->field, c.field);
    EXPECT_EQ(GenerateContours(db, c.params), EditOutcome::Refused) << c.field;
    EXPECT_TRUE(SameRecords(All(db), before)) << c.field;
    EXPECT_EQ(db.undoPos(), 0) << c.field;
  }
  EXPECT_FALSE(CheckContourParams(good));
}

TEST(Contours, OneSnapshotAndUndoGivesThePathBack) {
  ToolpathDatabase db;
  Load(db, Teeth(6, 1));
  const std::vector<ToolpathRecord> before = All(db);
  ASSERT_EQ(GenerateContours(db, {.topZ = 1, .bottomZ = -0.5, .zSpacing = 1, .maxLink = 1}), EditOutcome::Changed);
  EXPECT_EQ(db.undoPos(), 1);
  EXPECT_FALSE(SameRecords(All(db), before));
  ASSERT_TRUE(db.Snapshot(SnapshotMode::Undo));
  EXPECT_TRUE(SameRecords(All(db), before));
}

TEST(Contours, AResultPastTheRecordLimitChangesNothing) {
  // 1000 teeth 10 mm apart cut by 3300 planes: a two-point path per tooth and plane, four
  // records each: 13.2 million records.
  ToolpathDatabase db;
  Load(db, Teeth(1000, 33, 1.0, 1, 10));
  const std::vector<ToolpathRecord> before = All(db);
  const ContourParams params{.topZ = 33, .bottomZ = -33, .zSpacing = 0.02, .maxLink = 2};
  EXPECT_EQ(GenerateContours(db, params), EditOutcome::NoRoom);
  EXPECT_TRUE(SameRecords(All(db), before));
  EXPECT_EQ(db.undoPos(), 0);
}

}  // namespace
}  // namespace fendo
