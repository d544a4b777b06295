#include "app/qt_keys.h"

namespace fendo {

Key KeyOf(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F10) {
    return static_cast<Key>(static_cast<int>(Key::F1) + (qtKey - Qt::Key_F1));
  }
  switch (qtKey) {
    case Qt::Key_Escape: return Key::Esc;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Shift: return Key::Shift;
    case Qt::Key_Control: return Key::Ctrl;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Delete: return Key::Delete;
    default: return Key::None;
  }
}

Key KeyOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return Key::LeftButton;
    case Qt::RightButton: return Key::RightButton;
    default: return Key::None;
  }
}

}  // namespace fendo
