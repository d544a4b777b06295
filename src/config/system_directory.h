#pragma once

#include <filesystem>

namespace fendo {

// The user's home folder: $HOME, or the home folder the password database gives the user when
// HOME is not set (as under some service managers). Empty only when neither is known, which
// leaves the folders below it relative to the current directory.
std::filesystem::path HomeDirectory();

// The folder that holds fendo.cfg: $FENDO_SYSTEM_DIR, else $XDG_CONFIG_HOME/fendo, else
// ~/.config/fendo. A variable that is set but empty counts as not set.
std::filesystem::path SystemDirectory();

}  // namespace fendo
