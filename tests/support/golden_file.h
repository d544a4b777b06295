#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/file_bytes.h"

namespace fendo::test {

// Golden files are the reviewed outputs kept under tests/data. After a deliberate change,
// running the tests with FENDO_UPDATE_GOLDEN=1 rewrites them from what the code gives now;
// their diff is then reviewed like code.
inline bool UpdatingGoldenFiles() { return std::getenv("FENDO_UPDATE_GOLDEN") != nullptr; }

// The reviewed bytes of `golden`, to compare `actual` with; while golden files are being
// updated, `actual` is written there first.
inline std::string GoldenBytes(const std::string& actual, const std::filesystem::path& golden) {
  if (UpdatingGoldenFiles()) std::ofstream(golden, std::ios::binary) << actual;
  return ReadFile(golden);
}

}  // namespace fendo::test
