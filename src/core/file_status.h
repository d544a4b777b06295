#pragma once

#include <string>

namespace fendo {

// The outcome of reading or writing a file: success, or why it failed in the system's words.
struct FileStatus {
  bool ok = true;
  std::string reason;

  static FileStatus Failure(std::string reason) { return {false, std::move(reason)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace fendo
