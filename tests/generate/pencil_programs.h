#pragma once

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <string>
#include <numbers>
#include <utility>
#include <vector>

#include "core/point3.h"
#include "core/toolpath_database.h"

namespace fendo::test {

// Finishing programs of the kind the pencil command works on, made of records.
class ProgramBuilder {
 public:
  explicit ProgramBuilder(double safeZ = 50) : safeZ_(safeZ) {}

  // A cut through `points`, entered from safeZ above its first point and left back up to it.
  void Cut(const std::vector<Point3>& points) {
    Add({points.front().x, points.front().y, safeZ_}, MoveKind::RapidStart);
    Add(points.front(), MoveKind::FeedStart);
    for (std::size_t i = 1; i < points.size(); ++i) Add(points[i], MoveKind::Feed);
    Add({points.back().x, points.back().y, safeZ_}, MoveKind::RapidStart);
  }

  const std::vector<ToolpathRecord>& records() const { return records_; }

  void LoadInto(ToolpathDatabase& db) const {
    db.safeZ = safeZ_;
    db.ReplaceRecords(records_);
  }

 private:
  void Add(Point3 p, MoveKind kind) {
    ToolpathRecord r{};
    r.x = static_cast<float>(p.x);
    r.y = static_cast<float>(p.y);
    r.z = static_cast<float>(p.z);
    r.feed = 1000;
    r.kind = kind;
    records_.push_back(r);
  }

  double safeZ_;
  std::vector<ToolpathRecord> records_;
};

// The records of a program as NC text: rapid and linear moves, three decimals.
inline std::string NcText(const std::vector<ToolpathRecord>& records) {
  std::string nc = "G90 G21\n";
  for (const ToolpathRecord& r : records) {
    char line[96];
    const bool rapid = IsRapidKind(r.kind);
    std::snprintf(line, sizeof line, "%s X%.3f Y%.3f Z%.3f%s\n", rapid ? "G00" : "G01", r.x, r.y, r.z,
                  rapid ? "" : " F1000");
    nc += line;
  }
  return nc;
}


// One pass of a ball tool's centre over a pocket, along X at `y`: the top at z = 0 up to
// x = 2, a wall down at slope −1.25 to x = 9.5, a fillet the tool just fails to follow (its
// centre path bends there in three steps of 17 degrees within 0.6 mm, not at once), the floor
// at kPocketFloor, and the same mirrored about x = 50. Lowered by `drop` over all.
inline constexpr double kPocketFloor = -9.63364;      // the floor the fillet reaches
inline constexpr double kPocketCornerX = 10.03408;    // where the fillet meets the floor
inline std::vector<Point3> PocketPass(double y, bool forward = true, double drop = 0) {
  std::vector<std::pair<double, double>> left;  // (x, z) up to the middle
  for (double x = 0; x <= 9.5001; x += 0.5) left.push_back({x, x <= 2 ? 0 : -(x - 2) * 1.25});
  double angle = std::atan(1.25);
  for (int step = 0; step < 2; ++step) {
    angle -= 17 * std::numbers::pi / 180;
    const auto [x, z] = left.back();
    left.push_back({x + 0.3 * std::cos(angle), z - 0.3 * std::sin(angle)});
  }
  const double floorZ = left.back().second;
  for (double x = left.back().first + 0.5; x < 50; x += 0.5) left.push_back({x, floorZ});
  std::vector<Point3> points;
  for (const auto& [x, z] : left) points.push_back({x, y, z - drop});
  for (auto it = left.rbegin(); it != left.rend(); ++it) points.push_back({100 - it->first, y, it->second - drop});
  if (!forward) std::ranges::reverse(points);
  return points;
}

// The pocket finished by passes along X, every `stepover` mm from y0 to y1, each pass entered
// from safeZ; with `zigzag` every other pass runs backwards.
inline ProgramBuilder Pocket(double y0, double y1, double stepover = 1, bool zigzag = true) {
  ProgramBuilder program;
  int pass = 0;
  for (double y = y0; y <= y1 + 1e-9; y += stepover) program.Cut(PocketPass(y, !zigzag || pass++ % 2 == 0));
  return program;
}

}  // namespace fendo::test
