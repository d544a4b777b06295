#include "interact/latched_keys.h"

namespace fendo {

bool LatchedKeys::Known(Key key) {
  const int code = static_cast<int>(key);
  return code > 0 && code < kCodes;
}

void LatchedKeys::Press(Key key) {
  if (!Known(key)) return;
  held_.set(static_cast<int>(key));
  pressedSinceSnapshot_.set(static_cast<int>(key));
}

void LatchedKeys::Release(Key key) {
  if (!Known(key)) return;
  held_.reset(static_cast<int>(key));
}

void LatchedKeys::ReleaseAll() { held_.reset(); }

bool LatchedKeys::IsDown(Key key) const {
  if (!Known(key)) return false;
  const int code = static_cast<int>(key);
  return held_.test(code) || pressedSinceSnapshot_.test(code);
}

void LatchedKeys::TakeSnapshot() { pressedSinceSnapshot_.reset(); }

}  // namespace fendo
