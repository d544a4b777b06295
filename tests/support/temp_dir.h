#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace fendo::test {

// A folder of its own for a test under the system's temporary folder, removed with everything
// in it when the test is done. Its name holds the process id and a count, digits only, so that
// suites run in parallel without meeting and no name matches an extension by chance.
class TempDir {
 public:
  TempDir() {
    static int made = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("fendo-test-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);  // left behind by an earlier process of this id
    std::filesystem::create_directories(path_);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace fendo::test
