#pragma once

#include <Qt>

#include "view/key_codes.h"

namespace fendo {

// The view's key for a key of a Qt key event; Key::None for the keys the view does not use.
Key KeyOf(int qtKey);

// The view's key for a mouse button; Key::None for the other buttons.
Key KeyOf(Qt::MouseButton button);

}  // namespace fendo
