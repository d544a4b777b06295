#pragma once

namespace fendo {

// The keys and mouse buttons the view and the interactive loops react to. They carry the
// platform's virtual-key numbers, so that a code polled by a loop can be handed to the view's
// key handler as it is, and the desktop program maps its own key events onto them once.
enum class Key : int {
  None = 0,
  LeftButton = 1,
  RightButton = 2,
  Backspace = 8,
  Enter = 13,
  Shift = 16,
  Ctrl = 17,
  Esc = 27,
  Space = 32,
  PageUp = 33,
  PageDown = 34,
  End = 35,
  Home = 36,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
  Insert = 45,
  Delete = 46,
  F1 = 112,
  F2 = 113,
  F3 = 114,
  F4 = 115,
  F5 = 116,
  F6 = 117,
  F7 = 118,
  F8 = 119,
  F9 = 120,
  F10 = 121,
};

}  // namespace fendo
