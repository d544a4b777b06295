#pragma once

#include <QElapsedTimer>

#include "interact/input_source.h"
#include "interact/latched_keys.h"

namespace fendo {

// The interactive loops' keys and mouse in the desktop program. Qt tells a window about keys
// and buttons through events, not by asking the keyboard, so the view passes every key and
// button event here and the loops read the state that results; a tap between two polls still
// counts once. The cursor is where the last mouse event over the view was.
class QtInputSource : public InputSource {
 public:
  QtInputSource();

  void Press(Key key) { keys_.Press(key); }
  void Release(Key key) { keys_.Release(key); }
  // The view lost the keyboard: it will not hear the releases.
  void ReleaseAll() { keys_.ReleaseAll(); }
  void MoveCursor(ClientPoint p) { cursor_ = p; }

  bool IsDown(Key key) override { return keys_.IsDown(key); }
  ClientPoint CursorPosition() override { return cursor_; }
  // Lets the events of the wait in (so keys, clicks and repaints go on) and ends the poll.
  void Sleep(int milliseconds) override;
  std::int64_t TickCount() override { return clock_.elapsed(); }

 private:
  LatchedKeys keys_;
  ClientPoint cursor_;
  QElapsedTimer clock_;
};

}  // namespace fendo
