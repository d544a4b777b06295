#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_status.h"

namespace fendo {

// The settings files are a few lines each: they are read and written whole, never piece by piece.

// Replaces `text` by the whole content of the file. A file that does not exist reads as empty
// text without failure: the settings files are optional, and an empty one means "all
// defaults". Fails with the system's reason when the file cannot be opened or read, is a
// folder, or is too large to be a settings file.
FileStatus ReadOptionalTextFile(const std::filesystem::path& path, std::string& text);

// Creates the file, or truncates it, and writes `text` as it is. Fails with the system's reason
// when opening, writing or closing fails: the file may then be incomplete.
FileStatus WriteTextFile(const std::filesystem::path& path, std::string_view text);

}  // namespace fendo
