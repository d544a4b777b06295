#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"

namespace fendo::test {

inline constexpr float kSafeZ = 50;

// `count` one-way passes in the standard form: pass k runs along y = 10k from x = 0 to x = 30
// at z = −1 (points every 10 mm), approached from 2 mm above its start, with a retract to
// safeZ after it.
inline std::vector<ToolpathRecord> OneWayPasses(int count) {
  using K = MoveKind;
  std::vector<ToolpathRecord> records{Rec(K::RapidStart, 0, 0, kSafeZ)};
  for (int k = 0; k < count; ++k) {
    const float y = 10.0f * k;
    for (ToolpathRecord r : {Rec(K::Rapid, 0, y, kSafeZ), Rec(K::Rapid, 0, y, 2), Rec(K::FeedStart, 0, y, -1, 500),
                             Rec(K::Feed, 10, y, -1, 600), Rec(K::Feed, 20, y, -1, 700), Rec(K::Feed, 30, y, -1, 800),
                             Rec(K::RapidStart, 30, y, kSafeZ)}) {
      records.push_back(r);
    }
  }
  return records;
}

inline void FillWithSafeZ(ToolpathDatabase& db, const std::vector<ToolpathRecord>& records) {
  Fill(db, records);
  db.safeZ = kSafeZ;
}

// A made-up program in the standard form: paths of straight cuts going up and down, some arcs
// (a few of them helical), each path approached straight down from 2 mm above its start.
inline std::string RandomProgram(unsigned seed, int paths) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(-80, 80);
  std::uniform_real_distribution<double> step(-6, 6);
  std::uniform_real_distribution<double> depth(-8, 0);
  std::uniform_int_distribution<int> moves(2, 25);
  std::uniform_int_distribution<int> choice(0, 9);
  char line[160];
  std::string text = "G00 X0 Y0 Z50\n";
  for (int p = 0; p < paths; ++p) {
    double x = std::round(coordinate(random) * 100) / 100;
    double y = std::round(coordinate(random) * 100) / 100;
    double z = std::round(depth(random) * 100) / 100;
    std::snprintf(line, sizeof line, "G00 X%.3f Y%.3f Z50\nG00 Z%.3f\nG01 Z%.3f F%d\n", x, y, z + 2, z,
                  300 + 100 * choice(random));
    text += line;
    const int n = moves(random);
    for (int m = 0; m < n; ++m) {
      const int c = choice(random);
      if (c == 0) {
        // A half circle of radius 3 around a centre to the right, sometimes rising.
        const double endZ = choice(random) < 3 ? z + 0.5 : z;
        std::snprintf(line, sizeof line, "G%s X%.3f Y%.3f Z%.3f I3 J0\n", choice(random) < 5 ? "02" : "03", x + 6, y,
                      endZ);
        x += 6;
        z = endZ;
      } else {
        x = std::round((x + step(random)) * 100) / 100;
        y = std::round((y + step(random)) * 100) / 100;
        z = std::round(std::clamp(z + step(random) / 3, -10.0, 0.0) * 100) / 100;
        std::snprintf(line, sizeof line, "G01 X%.3f Y%.3f Z%.3f F%d\n", x, y, z, 400 + 50 * c);
      }
      text += line;
    }
    std::snprintf(line, sizeof line, "G00 Z50\n");
    text += line;
  }
  return text;
}

inline void ReadRandomProgram(ToolpathDatabase& db, unsigned seed, int paths = 30) {
  AppendText(db, RandomProgram(seed, paths));
  db.safeZ = kSafeZ;
}

// The stored part of every record (what an undo snapshot keeps): kind, position and feed.
inline std::vector<std::tuple<int, float, float, float, int>> StoredState(ToolpathDatabase& db) {
  std::vector<std::tuple<int, float, float, float, int>> state;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord& r = *db.RecordAt(i);
    state.emplace_back(static_cast<int>(r.kind), r.x, r.y, r.z, r.feed);
  }
  return state;
}

// A cutting move as the two points it joins, the lower point first, so that a move and its
// reverse compare equal.
using Joint = std::tuple<float, float, float, float, float, float>;

inline Joint JointOf(const ToolpathRecord& a, const ToolpathRecord& b) {
  Joint forward{a.x, a.y, a.z, b.x, b.y, b.z};
  Joint backward{b.x, b.y, b.z, a.x, a.y, a.z};
  return std::min(forward, backward);
}

// Every cutting move of the program with the point before it (sorted).
inline std::vector<Joint> CuttingJoints(ToolpathDatabase& db) {
  std::vector<Joint> joints;
  const ToolpathRecord* prev = nullptr;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    if (prev && IsCuttingKind(r->kind)) joints.push_back(JointOf(*prev, *r));
    prev = r;
  }
  std::sort(joints.begin(), joints.end());
  return joints;
}

// The cutting moves of the program in order, with their direction: what the tool cuts.
inline std::vector<std::string> CuttingMoves(ToolpathDatabase& db) {
  std::vector<std::string> moves;
  const ToolpathRecord* prev = nullptr;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    if (prev && IsCuttingKind(r->kind)) {
      moves.push_back(Coordinate(prev->x) + ' ' + Coordinate(prev->y) + ' ' + Coordinate(prev->z) + " -> " +
                      Describe(*r));
    }
    prev = r;
  }
  return moves;
}

}  // namespace fendo::test
