#pragma once

#include <cmath>
#include <span>
#include <vector>

#include "core/arc_rule.h"
#include "core/point3.h"
#include "core/view_state.h"

namespace fendo {

// A rectangle of client pixels; empty until a point is added.
struct ScreenBox {
  double minX = HUGE_VAL;
  double minY = HUGE_VAL;
  double maxX = -HUGE_VAL;
  double maxY = -HUGE_VAL;

  void Add(ClientPoint p);
  bool Overlaps(const ScreenBox& o) const {
    return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY;
  }
  bool Contains(ClientPoint p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

// A region the user marked on a view: a polygon in the view's client pixels, closed from the
// last vertex back to the first, inside by the even-odd rule. Model points are projected as the
// view draws them, so what is inside is what the user saw inside. The commands that work on
// the part of a toolpath within a window or polygon find with it where moves pass in or out.
class ScreenPolygon {
 public:
  // Three vertices or more; fewer enclose nothing.
  ScreenPolygon(std::span<const ClientPoint> vertices, const ViewState& view);

  ClientPoint ToScreen(Point3 p) const { return projection_.ToClient(p); }

  // Whether the point's picture lies inside: a ray to its right crosses an odd number of edges.
  // A point on a left or top edge counts as inside, one on a right or bottom edge as outside,
  // so that two polygons sharing an edge never both hold a point of it.
  bool Inside(Point3 p) const;

  // The fractions (0 … 1, unsorted) along the straight move from `from` to `to` where its
  // picture meets an edge. An edge parallel to the move yields nothing: the parts' middles
  // decide whether they lie inside.
  std::vector<double> LineCrossings(Point3 from, Point3 to) const;

  // The fractions of the arc's sweep (0 … 1, unsorted) where its picture meets an edge,
  // searched along the arc's chords as the view draws them (one about every three pixels). An
  // arc of radius below a micrometre is taken as a point and meets nothing.
  std::vector<double> ArcCrossings(const Arc& arc) const;

 private:
  // Appends from + t·span for every t in 0 … 1 where the screen segment a→b meets an edge.
  void AddCrossings(ClientPoint a, ClientPoint b, double from, double span, std::vector<double>& out) const;
  // The screen box around the arc's whole circle: an arc outside it cannot meet the polygon.
  ScreenBox CircleBox(const Arc& arc) const;

  std::vector<ClientPoint> vertices_;
  Projection projection_;
  double scale_;  // pixels per mm
  ScreenBox box_;
};

}  // namespace fendo
