// Arcs of programs with more decimals than the writer writes: a long sweep over a short chord,
// whose rounded ends turn the chord's normal and the centre on it. Every output form must bring
// back every point of the arc within one last digit.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/angle_units.h"
#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/nc_reader.h"
#include "core/scripted_prompts.h"
#include "core/toolpath_database.h"
#include "core/toolpath_text.h"
#include "output/arc_fidelity.h"
#include "output/nc_writer.h"
#include "support/temp_dir.h"
#include "support/unattended_writer.h"

namespace fendo {
namespace {

constexpr double kLastDigit = 0.001;  // mm

// A rapid to the start of a counter-clockwise helical arc in XY of `sweep` degrees about
// (cx, cy), written with six decimals, and a straight cut away from its end.
std::string FineArcProgram(double cx, double cy, double radius, double startAngle, double sweep, double rise) {
  const double a0 = startAngle * kRadiansPerDegree;
  const double a1 = (startAngle + sweep) * kRadiansPerDegree;
  char text[512];
  std::snprintf(text, sizeof text,
                "G21 G90 G00 X%.6f Y%.6f Z5.0\nG01 Z0 F300\nG03 X%.6f Y%.6f Z%.6f I%.6f J%.6f\nG01 X%.6f\n",
                cx + radius * std::cos(a0), cy + radius * std::sin(a0), cx + radius * std::cos(a1),
                cy + radius * std::sin(a1), rise, -radius * std::cos(a0), -radius * std::sin(a0),
                cx + radius * std::cos(a1) + 5);
  return text;
}

// The distance of p from the arc: from the arc's point at p's angle about the centre (its
// height there as the helix has it), or from the nearer end where p lies outside the sweep.
double DistanceFromArc(const Arc& arc, Point3 p) {
  constexpr double kTurn = 360;
  const double angle = AngleInPlane(arc.centre - p, arc.plane);
  const double turned = arc.kind == MoveKind::ArcCw ? arc.startAngle - angle : angle - arc.startAngle;
  const double fraction = std::fmod(turned + 2 * kTurn, kTurn) / arc.sweep;
  if (fraction <= 1) return Length(ArcPointAt(arc, fraction) - p);
  return std::min(Length(arc.start - p), Length(arc.end - p));
}

// The largest distance from the arc `held` of a point of the arcs read back: the arc, or the
// pieces the writer cut it into.
double LargestDistanceFrom(const Arc& held, ToolpathDatabase& db) {
  constexpr int kSamples = 720;
  double largest = 0;
  for (int i = 0; i < db.recordCount; ++i) {
    if (!IsArcKind(db.RecordAt(i)->kind)) continue;
    const Arc piece = ArcGeometry(db, i);
    for (int k = 0; k <= kSamples; ++k) {
      largest = std::max(largest, DistanceFromArc(held, ArcPointAt(piece, static_cast<double>(k) / kSamples)));
    }
  }
  return largest;
}

TEST(FineArcs, EveryFormBringsBackEveryPointWithinALastDigit) {
  struct Case {
    const char* name;
    double cx, cy, radius, startAngle, sweep, rise;
  };
  const Case cases[] = {
      {"330 degrees over a 1.5 mm chord", 1.748722, 7.345388, 3.000001, 183.7, 330, 1.34486},
      {"a full turn less a little, helical", -0.528593, -1.520299, 6.999999, 41.3, 355, -1.0},
      {"a quarter turn", 12.345678, -3.210987, 7.654321, 12.5, 90, 0},
  };
  struct Form {
    const char* name;
    NcOutputOptions options;
  };
  const Form forms[] = {
      {"ISO I/J/K", {.ijkToR = false}},
      {"ISO R", {.ijkToR = true}},
      {"G91 I/J/K", {.ijkToR = false, .incremental = true}},
      {"Heidenhain", {.heidenhain = true}},
  };
  for (const Case& c : cases) {
    ToolpathDatabase original;
    AppendText(original, FineArcProgram(c.cx, c.cy, c.radius, c.startAngle, c.sweep, c.rise));
    int arcAt = 0;
    while (!IsArcKind(original.RecordAt(arcAt)->kind)) ++arcAt;
    const Arc held = ArcGeometry(original, arcAt);
    for (Form form : forms) {
      const test::TempDir dir;
      test::WriteUnattendedTo(form.options, dir / "out.nc");
      test::ScriptedPrompts prompts;
      ASSERT_TRUE(WriteNcProgram(original, form.options, prompts).ok()) << c.name << ", " << form.name;
      ToolpathDatabase again;
      again.options.heidenhainInputChk = form.options.heidenhain;
      ASSERT_TRUE(LoadFile(again, form.options.outputPath).ok()) << c.name << ", " << form.name;
      EXPECT_LE(LargestDistanceFrom(held, again), kLastDigit) << c.name << ", " << form.name;
    }
  }
}

}  // namespace
}  // namespace fendo
