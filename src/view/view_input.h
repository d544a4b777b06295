#pragma once

#include <functional>

#include "core/view_state.h"
#include "view/command_debounce.h"
#include "view/key_codes.h"
#include "view/navigation.h"

namespace fendo {

class ToolpathDatabase;
class ViewSurface;
struct ViewOptions;

// Where the mouse was and which modifier keys were held when a mouse event came.
struct MouseEvent {
  ClientPoint point;   // client pixels
  bool shift = false;
  bool ctrl = false;
};

// What a left drag does on its own (Ctrl and Shift choose for one drag): the three modes of the
// view menu, at most one of them on.
enum class MouseMode { None, Rotate, Pan, Select };

// The view's handling of the mouse, the keyboard and the navigation commands: the desktop
// program's view widget passes its events here, and this turns them into changes of the view
// state, of the selection, and into what the surface must show.
//
// Left drag: a rubber band that selects (select mode or Ctrl; Shift selects whole paths),
// else a pan (pan mode or Shift), else a rotation (rotate mode); a left click in select mode or
// with Ctrl picks and marks the move (the path with Shift) under the mouse. Right drag: a
// rubber band that zooms to the window; a right click (or a drag under 10 pixels either way)
// fits the view. Every handler ignores its event while the debounce timer runs, and while an
// interactive loop holds the view (LoopScope).
class ViewInput {
 public:
  ViewInput(ToolpathDatabase& db, ViewState& view, ViewOptions& options, ViewSurface& surface, TickSource& ticks);

  // The three mode commands: each turns its mode on (and the others off) or, when it is on,
  // off, leaving no mode.
  MouseMode mouseMode() const { return mouseMode_; }
  void ToggleRotateMode() { ToggleMode(MouseMode::Rotate); }
  void TogglePanMode() { ToggleMode(MouseMode::Pan); }
  void ToggleSelectMode() { ToggleMode(MouseMode::Select); }

  // The navigation commands of the view menu; ignored while the debounce timer runs.
  void ShowDirection(ViewDirection direction);
  void Redraw();
  void Fit();
  void ZoomIn();
  void ZoomOut();
  // "선택 취소" and "선택 반전".
  void ClearSelection();
  void InvertSelection();

  void LeftButtonDown(const MouseEvent& e);
  void LeftButtonUp(const MouseEvent& e);
  void LeftDoubleClick(const MouseEvent& e);
  void RightButtonDown(const MouseEvent& e);
  void RightButtonUp(const MouseEvent& e);
  void MouseMove(const MouseEvent& e);
  // `delta` in the wheel's units, 120 a notch.
  void Wheel(int delta);
  // A key pressed in the view: the arrows pan, Insert/Delete, Home/End and Page Up/Page Down
  // turn the angles A, B and C, F1 … F10 are the direction, fit and zoom keys; in select
  // mode Return deletes the selection, Space clears it and Backspace inverts it. True when the
  // key did something.
  bool KeyDown(Key key);

  // Puts record i at the centre of the window and redraws: how a command shows the user where
  // it stands.
  void CentreOnRecord(int i);

  // What Return does in select mode while something is selected: the command that deletes the
  // selection, supplied by whoever builds the view's commands.
  std::function<void()> deleteSelection;

  // While one of these lives, an interactive loop runs inside a command and the view takes no
  // events of its own. Its end clears the help prompt and restarts the debounce timer, so
  // that the key or click that ended the loop is not taken again.
  class LoopScope {
   public:
    explicit LoopScope(ViewInput& input);
    ~LoopScope();
    LoopScope(const LoopScope&) = delete;
    LoopScope& operator=(const LoopScope&) = delete;

   private:
    ViewInput& input_;
  };
  // A key polled by an interactive loop, passed on to the view's key handler: the keys that
  // move the view keep working inside the loop. Return, Space and Backspace belong to the loop
  // and never reach the selection: a loop sees a key for as long as it is held, so the
  // selection would be inverted or deleted as often as the polls found the key down. True when
  // the key did something.
  bool LoopKey(Key key);

  ToolpathDatabase& database() { return db_; }
  ViewState& view() { return view_; }
  ViewOptions& options() { return options_; }
  ViewSurface& surface() { return surface_; }
  CommandDebounce& debounce() { return debounce_; }

 private:
  void ToggleMode(MouseMode mode);
  bool Ignoring() { return loopsRunning_ > 0 || debounce_.Running(); }
  // The arrows, the rotation keys and F1 … F10: they move the view, in a loop too.
  bool NavigationKey(Key key);
  // Return, Space and Backspace in select mode: they act on the selection, outside loops only.
  bool SelectionKey(Key key);
  void DragRedraw();
  void DragPan(ClientPoint p);
  void DragRotate(ClientPoint p);
  void ClickPick(const MouseEvent& e);

  ToolpathDatabase& db_;
  ViewState& view_;
  ViewOptions& options_;
  ViewSurface& surface_;
  CommandDebounce debounce_;
  MouseMode mouseMode_ = MouseMode::Rotate;
  int loopsRunning_ = 0;

  bool leftDown_ = false;
  bool rightDown_ = false;
  ClientPoint anchor_;        // the last press, moved along by pans and rotations
  ClientPoint press_;         // where the left button went down
  ClientPoint rightAnchor_;   // where the right button went down
  bool dragFrameOnly_ = false;  // a drag left only the bounding box on the screen
};

}  // namespace fendo
