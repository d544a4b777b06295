#pragma once

#include <string>
#include <vector>

#include "view/canvas.h"

namespace fendo::test {

// A canvas that keeps what was drawn on it, call by call.
class RecordingCanvas : public Canvas {
 public:
  struct Line {
    Pen pen;
    std::vector<DevicePoint> points;
  };
  struct TextCall {
    DevicePoint topLeft;
    std::string text;
    Rgb colour;
  };

  void Fill(Rgb colour) override { fills.push_back(colour); }
  void SetPen(const Pen& p) override { pen = p; }
  void Polyline(std::span<const DevicePoint> points) override { lines.push_back({pen, {points.begin(), points.end()}}); }
  void Points(std::span<const DevicePoint> points) override {
    dots.insert(dots.end(), points.begin(), points.end());
  }
  void Rectangle(DevicePoint corner, DevicePoint opposite) override {
    lines.push_back({pen, {corner, {opposite.x, corner.y}, opposite, {corner.x, opposite.y}, corner}});
  }
  void Text(DevicePoint topLeft, std::string_view text, Rgb colour) override {
    texts.push_back({topLeft, std::string(text), colour});
  }

  // Every segment drawn with pen p, as pairs of end points.
  std::vector<std::pair<DevicePoint, DevicePoint>> SegmentsIn(const Pen& p) const {
    std::vector<std::pair<DevicePoint, DevicePoint>> segments;
    for (const Line& line : lines) {
      if (!(line.pen == p)) continue;
      for (std::size_t k = 1; k < line.points.size(); ++k) segments.emplace_back(line.points[k - 1], line.points[k]);
    }
    return segments;
  }
  bool Drew(const Pen& p, DevicePoint from, DevicePoint to) const {
    for (const auto& [a, b] : SegmentsIn(p)) {
      if ((a == from && b == to) || (a == to && b == from)) return true;
    }
    return false;
  }

  std::vector<Rgb> fills;
  Pen pen;
  std::vector<Line> lines;
  std::vector<DevicePoint> dots;
  std::vector<TextCall> texts;
};

}  // namespace fendo::test
