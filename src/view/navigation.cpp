#include "view/navigation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace fendo {
namespace {

// The angles (A, B, C) of the seven directions, in menu order.
constexpr std::array<DirectionAngles, 7> kDirectionAngles = {{
    {0, 0, 0},      // top: down the Z axis, X to the right, Y up
    {270, 0, 0},    // front
    {0, 90, 270},   // side
    {300, 0, 330},  // isometric 1
    {300, 0, 240},  // isometric 2
    {300, 0, 150},  // isometric 3
    {300, 0, 60},   // isometric 4
}};

constexpr int kWheelNotch = 120;           // units of wheel delta per notch
constexpr double kWheelZoomPerNotch = 0.1;
constexpr int kWheelDegreesPerNotch = 5;
constexpr double kMostWindowZoom = 500;    // pixels per mm
constexpr double kNarrowestWindow = 0.01;  // projected mm: a narrower window zooms to...
constexpr double kNarrowWindowZoom = 10;   // ...this many pixels per mm along that axis
constexpr double kArrowPanPixels = 10;
constexpr double kDragDegreesPerPixel = 0.5;
constexpr double kDragRotateThreshold = 2;  // degrees
constexpr int kFullTurn = 360;
// Pan values stay within this (projected mm), far beyond any toolpath, so that sums of pans
// never overflow.
constexpr double kPanLimit = 1e9;

// A pan after moving by `by`, in whole mm as the pan is held. The movement is cut, not the
// sum: cutting a negative sum towards zero would move the picture a whole mm for a fraction
// of one, and in one direction only.
int PanAfter(int pan, double by) {
  const double moved = pan + std::trunc(by);
  if (std::isnan(moved)) return pan;
  return static_cast<int>(std::clamp(moved, -kPanLimit, kPanLimit));
}

// Whole degrees of a dragged angle, taken back into 0 … 360 once.
int Wrapped(double angle) {
  int whole = static_cast<int>(angle);
  if (whole < 0) whole += kFullTurn;
  if (whole > kFullTurn) whole -= kFullTurn;
  return whole;
}

}  // namespace

DirectionAngles AnglesOf(ViewDirection direction) { return kDirectionAngles[static_cast<int>(direction)]; }

void ShowDirection(ViewState& view, ViewDirection direction) {
  const DirectionAngles angles = AnglesOf(direction);
  view.angleA = angles.a;
  view.angleB = angles.b;
  view.angleC = angles.c;
}

void SetScale(ViewState& view, double scale) { view.scale = scale >= kMinScale ? scale : kMinScale; }

void ZoomIn(ViewState& view) { SetScale(view, view.scale * 2); }

void ZoomOut(ViewState& view) { SetScale(view, view.scale * 0.5); }

void WheelZoom(ViewState& view, int delta) {
  SetScale(view, view.scale * (1 + kWheelZoomPerNotch * delta / kWheelNotch));
}

void WheelRotate(ViewState& view, int delta) {
  view.angleC += kWheelDegreesPerNotch * delta / kWheelNotch;
}

bool ZoomWindow(ViewState& view, ClientPoint p, ClientPoint q) {
  if (p.x == q.x || p.y == q.y) return false;
  const auto projectedX = [&view](double x) { return (x - view.clientWidth / 2.0) / view.scale + view.panX; };
  const auto projectedY = [&view](double y) { return (y - view.clientHeight / 2.0) / view.scale + view.panY; };
  const double x1 = projectedX(p.x), x2 = projectedX(q.x);
  const double y1 = projectedY(p.y), y2 = projectedY(q.y);
  const double rangeX = std::abs(x2 - x1);
  const double rangeY = std::abs(y2 - y1);
  const double scaleX = rangeX > kNarrowestWindow ? view.clientWidth / rangeX : kNarrowWindowZoom;
  const double scaleY = rangeY > kNarrowestWindow ? view.clientHeight / rangeY : kNarrowWindowZoom;
  SetScale(view, std::min({scaleX, scaleY, kMostWindowZoom}));
  view.panX = PanAfter(0, (x1 + x2) / 2);
  view.panY = PanAfter(0, (y1 + y2) / 2);
  return true;
}

void MovePan(ViewState& view, double byX, double byY) {
  view.panX = PanAfter(view.panX, byX);
  view.panY = PanAfter(view.panY, byY);
}

int ArrowPanStep(const ViewState& view) {
  return static_cast<int>(std::min(kArrowPanPixels / view.scale + 1, kPanLimit));
}

void TurnAngle(int& angle, int by) {
  angle += by;
  if (angle > kFullTurn) angle -= kFullTurn;
  if (angle < 0) angle += kFullTurn;
}

bool DragRotate(ViewState& view, int dx, int dy) {
  const double turnC = dx * kDragDegreesPerPixel;
  const double turnA = dy * kDragDegreesPerPixel;
  if (std::abs(turnC) <= kDragRotateThreshold && std::abs(turnA) <= kDragRotateThreshold) return false;
  view.angleA = Wrapped(view.angleA + turnA);
  view.angleC = Wrapped(view.angleC + turnC);
  return true;
}

void CentreOn(ViewState& view, Point3 p) {
  const Projection::Projected centre = Projection(view).Project(p);
  view.panX = PanAfter(0, centre.x);
  view.panY = PanAfter(0, centre.y);
}

}  // namespace fendo
