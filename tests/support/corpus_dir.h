#pragma once

#include <cstdlib>
#include <filesystem>

namespace fendo::test {

// The folder of real NC programs of other makers: FENDO_CORPUS_DIR of the environment, else
// the one the build was configured with. Tests that need it skip where it is not at hand.
inline std::filesystem::path CorpusDir() {
  const char* configured = std::getenv("FENDO_CORPUS_DIR");
  return configured && *configured ? std::filesystem::path(configured) : std::filesystem::path(FENDO_CORPUS_DIR);
}

}  // namespace fendo::test
