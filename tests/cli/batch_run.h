#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A bundled example program.
inline std::filesystem::path Example(const std::string& name) {
  return std::filesystem::path(FENDO_TEST_DATA_DIR) / "../../examples" / name;
}

// A folder of its own for a test, removed with it.
class TempDir {
 public:
  TempDir() {
    static int made = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("fendo-test-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::filesystem::create_directories(path_);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace fendo::test
