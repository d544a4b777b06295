#pragma once

#include <bitset>

#include "view/key_codes.h"

namespace fendo {

// The key state an interactive loop polls, kept from the key and button events of a window.
// A loop asks whether a key is held at the moment of its poll, 50 ms apart; a quick tap of a
// key or a click can begin and end between two polls and would be lost. So a key reads as down
// while it is held, and a press that has already been released still reads as down until the
// next snapshot: a tap between two polls counts once, never twice.
//
// The window's input source calls Press and Release from its events and TakeSnapshot once
// after every poll (when the loop sleeps), before it lets new events in.
class LatchedKeys {
 public:
  void Press(Key key);
  void Release(Key key);
  // Every key up at once: the window lost the keyboard and will not report the releases.
  void ReleaseAll();
  // Held now, or pressed since the last snapshot.
  bool IsDown(Key key) const;
  // Ends a poll: presses released before it no longer count.
  void TakeSnapshot();

 private:
  static constexpr int kCodes = 128;  // every Key code is below this
  static bool Known(Key key);

  std::bitset<kCodes> held_;
  std::bitset<kCodes> pressedSinceSnapshot_;
};

}  // namespace fendo
