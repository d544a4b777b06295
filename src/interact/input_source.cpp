#include "interact/input_source.h"

#include <array>

namespace fendo {
namespace {

// The order matters: a loop sees only the first key held, so the keys that end or steer a
// loop come before the modifiers, the buttons and the keys that move the view.
constexpr std::array kPollOrder = {
    Key::Esc,    Key::Enter,    Key::Space, Key::Backspace, Key::Shift, Key::Ctrl,   Key::LeftButton,
    Key::RightButton, Key::F1,  Key::F2,    Key::F3,        Key::F4,    Key::F5,     Key::F6,
    Key::F7,     Key::F8,       Key::F9,    Key::F10,       Key::Up,    Key::Down,   Key::Right,
    Key::Left,   Key::PageUp,   Key::PageDown, Key::Home,   Key::End,   Key::Insert, Key::Delete,
};

}  // namespace

Key PollInputKey(InputSource& input) {
  for (const Key key : kPollOrder) {
    if (input.IsDown(key)) return key;
  }
  return Key::None;
}

}  // namespace fendo
