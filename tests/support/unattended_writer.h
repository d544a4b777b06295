#pragma once

#include <filesystem>

#include "output/nc_output_options.h"

namespace fendo::test {

// Points the writer at `path` and takes away what would stop for the user: the editor opened
// after writing and the question about diagonal rapid moves.
inline void WriteUnattendedTo(NcOutputOptions& options, const std::filesystem::path& path) {
  options.outputPath = path.string();
  options.openEditor = false;
  options.diagonalRapidCheck = false;
}

}  // namespace fendo::test
