#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_status.h"

namespace fendo {

// An NC program being written: created (or truncated) at once, filled through a large buffer,
// and closed with the first failure of any step, so that a full disk or a vanished folder is
// never reported as a written program.
class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file not yet closed; what was written stays (a run stopped half way keeps its part).
  ~OutputFile();

  // False when the file could not be created or a write already failed.
  bool ok() const { return status_.ok; }
  const FileStatus& status() const { return status_; }

  void Write(std::string_view text);
  // Writes what is buffered and closes the file; the first failure of the whole life of the
  // file, with the system's reason.
  FileStatus Close();

 private:
  void Flush();

  std::FILE* file_ = nullptr;
  std::string buffer_;
  FileStatus status_;
};

}  // namespace fendo
