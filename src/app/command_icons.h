#pragma once

#include <QIcon>

namespace fendo {

// The toolbar picture of a command, drawn as vectors so that it stays sharp at any size; a
// null icon for a command without one.
QIcon CommandIcon(int command);

}  // namespace fendo
