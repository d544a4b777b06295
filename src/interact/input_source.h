#pragma once

#include "core/view_state.h"
#include "view/command_debounce.h"
#include "view/key_codes.h"

namespace fendo {

// What the interactive loops read while they run inside a command: the keys and buttons held
// at this moment (not queued events), where the mouse is, and time. The desktop program asks
// the platform; tests follow a script.
class InputSource : public TickSource {
 public:
  // Whether the key or button is held down now.
  virtual bool IsDown(Key key) = 0;
  // The mouse position in the view's client coordinates.
  virtual ClientPoint CursorPosition() = 0;
  // Waits, letting the platform deliver input meanwhile. Every loop sleeps after each poll
  // (0 ms where it must not slow down), so a source can take its new key states there.
  virtual void Sleep(int milliseconds) = 0;
};

// The first key or button held down, tested in this order: ESC, ENTER, SPACE, BACK SPACE,
// SHIFT, CTRL, the left and the right button, F1 … F10, the arrows (up, down, right, left),
// PAGE UP, PAGE DOWN, HOME, END, INSERT, DELETE. Key::None when none is held.
Key PollInputKey(InputSource& input);

}  // namespace fendo
