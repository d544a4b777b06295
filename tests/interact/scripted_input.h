#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "interact/input_source.h"

namespace fendo::test {

// Input for the interactive loops from a script of poll periods: what is held and where the
// mouse is from one Sleep to the next. The first period is what the loop sees before it first
// sleeps; every Sleep moves on to the next and advances the clock. A loop that outlives its
// script sees ESC held from then on (and `ranOut` tells the test), so a faulty loop ends
// instead of hanging the test.
class ScriptedInput : public InputSource {
 public:
  struct Period {
    std::set<Key> held;
    ClientPoint cursor;
  };

  // Appends `polls` periods with these keys held and the mouse where it was last put.
  ScriptedInput& Hold(const std::set<Key>& keys, int polls = 1) {
    for (int k = 0; k < polls; ++k) script_.push_back({keys, cursor_});
    return *this;
  }
  ScriptedInput& Idle(int polls = 1) { return Hold({}, polls); }
  // Moves the mouse for the periods appended from now on.
  ScriptedInput& MoveTo(ClientPoint p) {
    cursor_ = p;
    return *this;
  }
  // A left click at p: one period with the button held, one with it released.
  ScriptedInput& ClickAt(ClientPoint p) {
    MoveTo(p).Hold({Key::LeftButton});
    return Idle();
  }

  bool IsDown(Key key) override { return Now().held.contains(key); }
  ClientPoint CursorPosition() override { return Now().cursor; }
  void Sleep(int milliseconds) override {
    sleeps.push_back(milliseconds);
    ticks += milliseconds;
    ++period_;
  }
  std::int64_t TickCount() override { return ticks; }

  std::int64_t ticks = 0;
  std::vector<int> sleeps;
  bool ranOut = false;

 private:
  const Period& Now() {
    if (period_ < script_.size()) return script_[period_];
    ranOut = true;
    pastTheEnd_ = {{Key::Esc}, cursor_};
    return pastTheEnd_;
  }

  std::vector<Period> script_;
  std::size_t period_ = 0;
  ClientPoint cursor_;
  Period pastTheEnd_;
};

}  // namespace fendo::test
