#include "view/draw_tool.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/toolpath_database.h"
#include "view/model_lines.h"
#include "view/pens.h"

namespace fendo {
namespace {

constexpr int kCircleChords = 24;
constexpr int kCornerChords = 8;  // a quarter of the corner rounding

// The cutter's profile in (distance from the axis, height above the tip), from the top of the
// shank down the side, round the corner, to the axis at the tip.
std::vector<std::pair<double, double>> Profile(const ToolShape& tool) {
  const double radius = std::max(tool.radius, 0.0);
  const double corner = tool.type == ToolType::Flat   ? 0.0
                        : tool.type == ToolType::Ball ? radius
                                                      : std::clamp(tool.cornerRadius, 0.0, radius);
  const double flute = std::max(tool.fluteLength, corner);
  const double top = flute + std::max(tool.shankLength, 0.0);
  std::vector<std::pair<double, double>> profile = {{radius, top}, {radius, flute}};
  for (int k = 0; k <= kCornerChords; ++k) {
    // From the side (0 degrees) down to the bottom (−90 degrees) round the corner's centre.
    const double angle = -std::numbers::pi / 2 * k / kCornerChords;
    profile.emplace_back(radius - corner + corner * std::cos(angle), corner + corner * std::sin(angle));
  }
  profile.emplace_back(0.0, 0.0);
  return profile;
}

void DrawCircle(Canvas& canvas, const DeviceProjection& projection, Point3 centre, double radius) {
  if (radius <= 0) return;
  std::vector<Point3> circle;
  for (int k = 0; k <= kCircleChords; ++k) {
    const double angle = 2 * std::numbers::pi * k / kCircleChords;
    circle.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), centre.z});
  }
  DrawModelPolyline(canvas, projection, circle);
}

}  // namespace

void DrawTool(Canvas& canvas, ToolpathDatabase& db, const ViewState& view, const ToolShape& tool, int record,
              bool backgroundInverted) {
  if (!db.IsMotion(record)) return;
  const Point3 tip = db.cursor.position();
  const DeviceProjection projection(view);
  canvas.SetPen(ViewPen(kToolPen, backgroundInverted));

  const std::vector<std::pair<double, double>> profile = Profile(tool);
  // Two sections through the axis, each the profile on one side and its mirror on the other.
  for (const auto& [dx, dy] : {std::pair{1.0, 0.0}, std::pair{0.0, 1.0}}) {
    std::vector<Point3> section;
    for (const auto& [r, h] : profile) section.push_back({tip.x + dx * r, tip.y + dy * r, tip.z + h});
    for (auto it = profile.rbegin() + 1; it != profile.rend(); ++it) {
      section.push_back({tip.x - dx * it->first, tip.y - dy * it->first, tip.z + it->second});
    }
    DrawModelPolyline(canvas, projection, section);
  }
  // The rings: where the flat bottom meets the corner, where the corner meets the side, the top
  // of the flutes and the top of the shank.
  const double radius = profile.front().first;
  const double bottomRadius = profile[profile.size() - 2].first;
  const double cornerTop = profile[2].second;
  DrawCircle(canvas, projection, tip, bottomRadius);
  if (cornerTop > 0) DrawCircle(canvas, projection, {tip.x, tip.y, tip.z + cornerTop}, radius);
  DrawCircle(canvas, projection, {tip.x, tip.y, tip.z + profile[1].second}, radius);
  DrawCircle(canvas, projection, {tip.x, tip.y, tip.z + profile[0].second}, radius);
}

}  // namespace fendo
