#pragma once

#include "core/point3.h"
#include "core/view_state.h"

namespace fendo {

// How the view is turned, zoomed and moved: operations on a ViewState alone. The caller
// redraws afterwards; fitting to the toolpaths is FitView's (view/fit_view.h).

// The seven directions of the view menu ("위에서 보기" … "입체로 보기4"), in menu order.
enum class ViewDirection { Top, Front, Side, Iso1, Iso2, Iso3, Iso4 };

struct DirectionAngles {
  int a = 0;  // degrees
  int b = 0;  // degrees
  int c = 0;  // degrees
};

DirectionAngles AnglesOf(ViewDirection direction);
// Turns the view to one of the seven directions; zoom and pan stay.
void ShowDirection(ViewState& view, ViewDirection direction);

// The smallest zoom: below it a toolpath of any size is a dot, and the pan arithmetic
// (pixels / scale) would leave the range of the projected coordinates.
inline constexpr double kMinScale = 0.00001;  // pixels per mm

// Sets the zoom, never below kMinScale (a NaN zoom becomes kMinScale too).
void SetScale(ViewState& view, double scale);
// "뷰 확대" and "뷰 축소": twice and half the zoom (no upper limit, unlike fitting).
void ZoomIn(ViewState& view);
void ZoomOut(ViewState& view);
// The mouse wheel outside rotate mode: a tenth of the zoom more or less per notch (120 units
// of delta).
void WheelZoom(ViewState& view, int delta);
// The mouse wheel in rotate mode: angle C turns 5 degrees per notch, without wrapping.
void WheelRotate(ViewState& view, int delta);

// Shows what lies between two client points as large as the window allows (at most 500
// pixels per mm), centred. False, with nothing changed, when the corners share an x or a y.
bool ZoomWindow(ViewState& view, ClientPoint p, ClientPoint q);

// Moves the centre of the view by a distance in projected mm (positive: the picture moves
// left or up). The pan saturates far beyond any toolpath instead of overflowing.
void MovePan(ViewState& view, double byX, double byY);
// How far one arrow key moves the pan: about 10 pixels, at least 1 mm.
int ArrowPanStep(const ViewState& view);

// Turns an angle of the keyboard's rotations by `by` degrees (±10), taken back into 0 … 360
// once when it leaves that range.
void TurnAngle(int& angle, int by);

// Rotation by a left drag of (dx, dy) pixels: C follows x and A follows y at half a degree a
// pixel. False, with nothing changed, while neither angle would move by more than 2 degrees,
// so that small jitters of the mouse do not redraw.
bool DragRotate(ViewState& view, int dx, int dy);

// Puts the model point at the centre of the window.
void CentreOn(ViewState& view, Point3 p);

}  // namespace fendo
