#pragma once

#include <optional>

#include "core/point3.h"

namespace fendo {

struct Arc;
class ToolpathDatabase;

// What a view shows: the projection angles, the zoom and the pan, and the size of its window.
// The view owns it; picking and screen input take it as a value.
struct ViewState {
  int angleA = 300;         // degrees
  int angleB = 0;           // degrees
  int angleC = 330;         // degrees
  double scale = 1.0;       // pixels per mm
  int panX = 0;             // projected mm shown at the centre of the window
  int panY = 0;             // projected mm shown at the centre of the window
  int clientWidth = 0;      // pixels
  int clientHeight = 0;     // pixels
};

// A point in window (client) coordinates: pixels from the top-left corner, y downwards.
struct ClientPoint {
  double x = 0;
  double y = 0;
};

// The parallel projection of a view, with its sines and cosines worked out once.
class Projection {
 public:
  explicit Projection(const ViewState& view);

  // Projected model coordinates (mm): X to the right, Y downwards on the screen.
  struct Projected {
    double x = 0;
    double y = 0;
  };
  Projected Project(Point3 p) const;
  // Pixels from the window's centre.
  Projected ToDevice(Point3 p) const;
  ClientPoint ToClient(Point3 p) const;

 private:
  ViewState view_;
  double sinA_, cosA_, sinB_, cosB_, sinC_, cosC_;
};

// The model point under a client point in the top, front and side views (the coordinate along
// the line of sight is 0); nothing in any other direction.
std::optional<Point3> ScreenToModel(const ViewState& view, ClientPoint p);

// The distance in pixels from a client point to the arc whose end record is i, as the arc is
// drawn: cut into chords of about three pixels.
double DistanceToArcOnScreen(ToolpathDatabase& db, int i, const ViewState& view, ClientPoint p);
double DistanceToArcOnScreen(const Arc& arc, const ViewState& view, ClientPoint p);

}  // namespace fendo
