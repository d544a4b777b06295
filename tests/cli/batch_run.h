#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"

namespace fendo::test {

// What a fendo-batch run in process gave: its exit status and the text of both streams.
struct BatchRun {
  int status = 0;
  std::string out;
  std::string err;
};

inline BatchRun Batch(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  BatchRun run;
  run.status = RunBatch(args, {out, err, false});
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A bundled example program.
inline std::filesystem::path Example(const std::string& name) {
  return std::filesystem::path(FENDO_TEST_DATA_DIR) / "../../examples" / name;
}

}  // namespace fendo::test
