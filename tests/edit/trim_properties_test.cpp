// Properties of every trim on generated programs: no cut is left on the removed side, and the
// trims of the two sides of one boundary together cut what the program cut.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/arc_rule.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "edit/edit_programs.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"
#include "support/generated_program.h"

namespace fendo {
namespace {

constexpr double kNear = 0.001;        // mm a cut may stray over the boundary (its crossings' precision)
constexpr int kSamplesPerMove = 16;
constexpr double kLengthShare = 1e-4;  // the two sides' cuts together, against the program's

// The programs: made-up paths with helical arcs and the benchmark's finishing passes.
void ReadProgram(ToolpathDatabase& db, unsigned seed) {
  if (seed % 2 == 0) {
    test::ReadRandomProgram(db, seed, 40);
  } else {
    AppendText(db, test::GeneratedProgram(seed, 16, 40));
    db.safeZ = test::kSafeZ;
  }
}

std::vector<Point3> Star(Point3 centre, int points, double outer, double inner) {
  std::vector<Point3> vertices;
  for (int k = 0; k < 2 * points; ++k) {
    const double angle = std::numbers::pi * k / points + 0.1;
    const double radius = k % 2 == 0 ? outer : inner;
    vertices.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), 0});
  }
  return vertices;
}

const ViewState kIsoView{.scale = 3, .clientWidth = 200, .clientHeight = 200};

// A trim of both senses: the boundary it removes one side of, and how it is run.
struct Trim {
  std::string name;
  std::function<std::unique_ptr<RegionBoundary>(TrimSide)> boundary;
  std::function<EditOutcome(ToolpathDatabase&, TrimSide)> run;
};

std::vector<Trim> Trims() {
  const auto region = [](std::function<std::unique_ptr<RegionBoundary>()> make) {
    return [make](ToolpathDatabase& db, TrimSide side) { return TrimRegion(db, *make(), side); };
  };
  const auto rectangle = [] { return RectangleBoundary(-30, -20, 25, 40); };
  const auto star = [] { return ModelPolygonBoundary(Star({5, 0, 0}, 7, 40, 12)); };
  const auto window = [] {
    const std::vector<ClientPoint> quadrilateral = {{40, 30}, {170, 60}, {150, 180}, {20, 140}};
    return ScreenPolygonBoundary(quadrilateral, kIsoView);
  };
  const auto band = [] { return ZBandBoundary(-6, -2); };
  return {
      {"rectangle", [&](TrimSide) { return rectangle(); }, region(rectangle)},
      {"star polygon", [&](TrimSide) { return star(); }, region(star)},
      {"screen polygon", [&](TrimSide) { return window(); }, region(window)},
      {"circle",
       [](TrimSide side) { return CircleBoundary({5, -3, 0}, 22, side == TrimSide::Outside); },
       [](ToolpathDatabase& db, TrimSide side) { return TrimCircle(db, {5, -3, 0}, 22, side); }},
      {"z band", [&](TrimSide) { return band(); },
       [&](ToolpathDatabase& db, TrimSide side) {
         return side == TrimSide::Outside ? TrimZBand(db, {.zMin = -6, .zMax = -2}) : TrimRegion(db, *band(), side);
       }},
  };
}

// The cutting moves a trim makes anew to come down to the boundary at feed: straight down from
// the retract height. They are not the program's cuts.
bool IsDescent(Point3 from, Point3 to, double safeZ) {
  return from.z == static_cast<float>(safeZ) && from.x == to.x && from.y == to.y;
}

// Calls visit(from, to, arc) for every cutting move of the program but the trims' descents;
// arc is null for a straight move.
void ForEachCut(ToolpathDatabase& db, const std::function<void(Point3, Point3, const Arc*)>& visit) {
  int previous = -1;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord r = *db.RecordAt(i);
    if (!IsMotionKind(r.kind)) continue;
    if (previous >= 0 && IsCuttingKind(r.kind)) {
      const Point3 from = PositionOf(*db.RecordAt(previous));
      const Point3 to = PositionOf(r);
      if (IsArcKind(r.kind)) {
        const Arc arc = ArcGeometry(db, i);
        visit(from, to, &arc);
      } else if (!IsDescent(from, to, db.safeZ)) {
        visit(from, to, nullptr);
      }
    }
    previous = i;
  }
}

double CutLength(ToolpathDatabase& db) {
  double length = 0;
  ForEachCut(db, [&](Point3 from, Point3 to, const Arc* arc) { length += arc ? arc->length : Length(to - from); });
  return length;
}

// Whether p lies on the removed side farther than kNear from the boundary.
bool DeepInRemoved(const RegionBoundary& boundary, TrimSide removed, Point3 p) {
  const auto isRemoved = [&](Point3 q) { return boundary.Inside(q) == (removed == TrimSide::Inside); };
  if (!isRemoved(p)) return false;
  for (Point3 step : {Point3{kNear, 0, 0}, Point3{0, kNear, 0}, Point3{0, 0, kNear}}) {
    if (!isRemoved(p + step) || !isRemoved(p - step * 1.0)) return false;
  }
  return true;
}

TEST(TrimProperties, NoCutIsLeftOnTheRemovedSide) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    for (const Trim& trim : Trims()) {
      for (TrimSide side : {TrimSide::Inside, TrimSide::Outside}) {
        ToolpathDatabase db;
        ReadProgram(db, seed);
        ASSERT_EQ(trim.run(db, side), EditOutcome::Changed) << trim.name << ' ' << static_cast<int>(side) << ' ' << seed;
        const std::unique_ptr<RegionBoundary> boundary = trim.boundary(side);
        int strays = 0;
        ForEachCut(db, [&](Point3 from, Point3 to, const Arc* arc) {
          for (int k = 0; k <= kSamplesPerMove; ++k) {
            const double f = static_cast<double>(k) / kSamplesPerMove;
            const Point3 p = arc ? ArcPointAt(*arc, f) : from + (to - from) * f;
            if (DeepInRemoved(*boundary, side, p) && strays++ < 3) {
              ADD_FAILURE() << trim.name << (side == TrimSide::Inside ? " inside" : " outside") << " seed " << seed
                            << ": the cut " << from.x << ' ' << from.y << ' ' << from.z << " > " << to.x << ' '
                            << to.y << ' ' << to.z << " reaches " << p.x << ' ' << p.y << ' ' << p.z;
            }
          }
        });
      }
    }
  }
}

TEST(TrimProperties, TheTwoSidesTogetherCutWhatTheProgramCut) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    for (const Trim& trim : Trims()) {
      ToolpathDatabase original;
      ReadProgram(original, seed);
      double together = 0;
      for (TrimSide side : {TrimSide::Inside, TrimSide::Outside}) {
        ToolpathDatabase db;
        ReadProgram(db, seed);
        trim.run(db, side);
        together += CutLength(db);
      }
      const double whole = CutLength(original);
      EXPECT_NEAR(together, whole, whole * kLengthShare) << trim.name << ' ' << seed;
    }
  }
}

}  // namespace
}  // namespace fendo
