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

// Writes `text` as the whole file, in place of the file there was only once all of it is on the
// disk. Fails with the system's reason; the file there was is then kept as it was.
FileStatus WriteTextFile(const std::filesystem::path& path, std::string_view text);

}  // namespace fendo
