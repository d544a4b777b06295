#include "view/view_input.h"

#include <cmath>
#include <cstdlib>

#include "core/toolpath_database.h"
#include "view/fit_view.h"
#include "view/path_span.h"
#include "view/picking.h"
#include "view/selection.h"
#include "view/show_prompt.h"
#include "view/status_texts.h"
#include "view/view_options.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr double kClickPixels = 10;    // a button that moved no more than this on an axis clicked
constexpr int kDragFrameRecords = 5000;  // from this many records a drag draws only the box
constexpr int kKeyTurnDegrees = 10;

bool MovedBeyond(ClientPoint from, ClientPoint to) {
  return std::abs(to.x - from.x) > kClickPixels || std::abs(to.y - from.y) > kClickPixels;
}

// Whole pixels from one point to another, as the mouse reports them.
int PixelsBetween(double from, double to) { return static_cast<int>(to - from); }

}  // namespace

ViewInput::ViewInput(ToolpathDatabase& db, ViewState& view, ViewOptions& options, ViewSurface& surface,
                     TickSource& ticks)
    : db_(db), view_(view), options_(options), surface_(surface), debounce_(ticks) {}

void ViewInput::ToggleMode(MouseMode mode) { mouseMode_ = mouseMode_ == mode ? MouseMode::None : mode; }

void ViewInput::ShowDirection(ViewDirection direction) {
  if (Ignoring()) return;
  fendo::ShowDirection(view_, direction);
  surface_.Redraw();
}

void ViewInput::Redraw() {
  if (Ignoring()) return;
  surface_.Redraw();
}

void ViewInput::Fit() {
  if (Ignoring()) return;
  FitView(db_, view_, options_);
  surface_.Redraw();
}

void ViewInput::ZoomIn() {
  if (Ignoring()) return;
  fendo::ZoomIn(view_);
  surface_.Redraw();
}

void ViewInput::ZoomOut() {
  if (Ignoring()) return;
  fendo::ZoomOut(view_);
  surface_.Redraw();
}

void ViewInput::ClearSelection() {
  db_.ClearSelection();
  surface_.Redraw();
}

void ViewInput::InvertSelection() {
  db_.InvertSelection();
  surface_.Redraw();
}

void ViewInput::LeftButtonDown(const MouseEvent& e) {
  if (Ignoring()) return;
  leftDown_ = true;
  anchor_ = press_ = e.point;
  dragFrameOnly_ = false;
}

void ViewInput::LeftButtonUp(const MouseEvent& e) {
  if (Ignoring() || !leftDown_) return;
  leftDown_ = false;
  surface_.HideRubberBand();
  const bool selecting = mouseMode_ == MouseMode::Select || e.ctrl;
  int toggled = 0;
  if (selecting) {
    toggled = e.shift ? SelectPathsInWindow(db_, view_, press_, e.point) : SelectInWindow(db_, view_, press_, e.point);
  }
  const bool dragged = MovedBeyond(press_, e.point);
  // A changed selection is shown at once, and a drag of a large program that left only the
  // bounding box on the screen brings the toolpaths back.
  if (dragged || toggled > 0 || dragFrameOnly_) surface_.Redraw();
  dragFrameOnly_ = false;
  if (!dragged && selecting) ClickPick(e);
}

void ViewInput::ClickPick(const MouseEvent& e) {
  const int picked = PickRecord(db_, view_, options_.rapidShown, press_);
  if (picked == 0) return;
  if (e.shift) {
    if (const std::optional<PathSpan> path = PathOfRecord(db_, picked)) {
      surface_.ShowHighlight({Highlight::Shape::Path, path->first, path->end});
    }
    return;
  }
  surface_.ShowHighlight({Highlight::Shape::Segment, picked, picked + 1});
  surface_.SetStatusText(ViewStatusPane::Point, PickedPointText(PositionOf(*db_.RecordAt(picked))));
}

void ViewInput::LeftDoubleClick(const MouseEvent&) {
  if (Ignoring()) return;
  leftDown_ = false;
}

void ViewInput::RightButtonDown(const MouseEvent& e) {
  if (Ignoring()) return;
  rightDown_ = true;
  rightAnchor_ = e.point;
}

void ViewInput::RightButtonUp(const MouseEvent& e) {
  if (Ignoring() || !rightDown_) return;
  rightDown_ = false;
  surface_.HideRubberBand();
  const bool window = std::abs(e.point.x - rightAnchor_.x) > kClickPixels &&
                      std::abs(e.point.y - rightAnchor_.y) > kClickPixels;
  if (window) {
    ZoomWindow(view_, rightAnchor_, e.point);
  } else {
    FitView(db_, view_, options_);
  }
  surface_.Redraw();
}

void ViewInput::MouseMove(const MouseEvent& e) {
  if (Ignoring()) return;
  ShowCursorStatus(surface_, ScreenToModel(view_, e.point));
  if (rightDown_) surface_.ShowRubberBand(rightAnchor_, e.point);
  if (!leftDown_) return;
  if (mouseMode_ == MouseMode::Select || e.ctrl) {
    surface_.ShowRubberBand(anchor_, e.point);
  } else if (mouseMode_ == MouseMode::Pan || e.shift) {
    DragPan(e.point);
  } else if (mouseMode_ == MouseMode::Rotate) {
    DragRotate(e.point);
  }
}

// The picture follows the mouse. At a high zoom a pixel is less than the pan's whole mm; the
// anchor then stays where it was, so that the movement adds up instead of being lost.
void ViewInput::DragPan(ClientPoint p) {
  const int dx = PixelsBetween(anchor_.x, p.x);
  const int dy = PixelsBetween(anchor_.y, p.y);
  const int panX = view_.panX;
  const int panY = view_.panY;
  MovePan(view_, -dx / view_.scale, -dy / view_.scale);
  if (view_.panX == panX && view_.panY == panY) return;
  anchor_ = p;
  DragRedraw();
}

void ViewInput::DragRotate(ClientPoint p) {
  if (!fendo::DragRotate(view_, PixelsBetween(anchor_.x, p.x), PixelsBetween(anchor_.y, p.y))) return;
  anchor_ = p;
  DragRedraw();
}

void ViewInput::DragRedraw() {
  if (db_.recordCount >= kDragFrameRecords) {
    surface_.RedrawDragFrame();
    dragFrameOnly_ = true;
  } else {
    surface_.Redraw();
  }
}

void ViewInput::Wheel(int delta) {
  if (Ignoring()) return;
  if (mouseMode_ == MouseMode::Rotate) {
    WheelRotate(view_, delta);
  } else {
    WheelZoom(view_, delta);
  }
  surface_.Redraw();
}

bool ViewInput::KeyDown(Key key) {
  if (Ignoring()) return false;
  return NavigationKey(key) || SelectionKey(key);
}

bool ViewInput::LoopKey(Key key) {
  if (debounce_.Running()) return false;
  return NavigationKey(key);
}

bool ViewInput::NavigationKey(Key key) {
  const int step = ArrowPanStep(view_);
  switch (key) {
    case Key::Left: MovePan(view_, step, 0); break;
    case Key::Right: MovePan(view_, -step, 0); break;
    case Key::Up: MovePan(view_, 0, step); break;
    case Key::Down: MovePan(view_, 0, -step); break;
    case Key::Insert: TurnAngle(view_.angleA, kKeyTurnDegrees); break;
    case Key::Delete: TurnAngle(view_.angleA, -kKeyTurnDegrees); break;
    case Key::Home: TurnAngle(view_.angleB, kKeyTurnDegrees); break;
    case Key::End: TurnAngle(view_.angleB, -kKeyTurnDegrees); break;
    case Key::PageUp: TurnAngle(view_.angleC, kKeyTurnDegrees); break;
    case Key::PageDown: TurnAngle(view_.angleC, -kKeyTurnDegrees); break;
    case Key::F1: case Key::F2: case Key::F3: case Key::F4: case Key::F5: case Key::F6: case Key::F7:
      fendo::ShowDirection(view_, static_cast<ViewDirection>(static_cast<int>(key) - static_cast<int>(Key::F1)));
      break;
    case Key::F8: FitView(db_, view_, options_); break;
    case Key::F9: fendo::ZoomIn(view_); break;
    case Key::F10: fendo::ZoomOut(view_); break;
    default: return false;
  }
  surface_.Redraw();
  return true;
}

bool ViewInput::SelectionKey(Key key) {
  if (mouseMode_ != MouseMode::Select) return false;
  switch (key) {
    case Key::Enter:
      if (!deleteSelection || !AnySelected(db_)) return false;
      deleteSelection();
      return true;
    case Key::Space:
      if (!AnySelected(db_)) return false;
      db_.ClearSelection();
      break;
    case Key::Backspace: db_.InvertSelection(); break;
    default: return false;
  }
  surface_.Redraw();
  return true;
}

void ViewInput::CentreOnRecord(int i) {
  const ToolpathRecord* r = db_.RecordAt(i);
  if (!r || !IsMotionKind(r->kind)) return;
  CentreOn(view_, PositionOf(*r));
  surface_.Redraw();
}

ViewInput::LoopScope::LoopScope(ViewInput& input) : input_(input) { ++input_.loopsRunning_; }

ViewInput::LoopScope::~LoopScope() {
  --input_.loopsRunning_;
  ShowPrompt(input_.surface_, kClearPrompt);
  input_.debounce_.Restart();
}

}  // namespace fendo
