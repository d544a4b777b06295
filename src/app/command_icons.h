#pragma once

#include <QIcon>

#include "app/command_ids.h"

namespace fendo {

// The toolbar picture of a command, drawn as vectors so that it stays sharp at any size; a
// null icon for a command without one.
QIcon CommandIcon(CommandId command);

// The program's own picture, for its windows and the desktop, drawn in the same style.
QIcon ApplicationIcon();

}  // namespace fendo
