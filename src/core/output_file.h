#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_status.h"

namespace fendo {

// A file being written whole: an NC program, a template, a *.qel or *.mma file, a settings
// file, an image. The bytes go to a temporary file beside the target, through a large buffer;
// only when all of them reached the disk does the temporary file take the target's place, so a
// full disk or a vanished folder never leaves a good file replaced by part of a new one.
//
// A target that exists and is not a regular file (a device such as /dev/null, a named pipe)
// cannot be replaced; it is written straight, as is a file the user may write in a folder that
// takes no new file.
class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // A file not closed is abandoned: its temporary file is removed, the target stays as it was.
  ~OutputFile();

  // False when the file could not be created or a write already failed.
  bool ok() const { return status_.ok; }
  const FileStatus& status() const { return status_; }

  void Write(std::string_view text);
  // Writes what is buffered, waits until it is on the disk and puts the file in the target's
  // place. The first failure of the whole life of the file, with the system's reason; after a
  // failure the target is as it was before and the temporary file is gone.
  FileStatus Close();

 private:
  void Flush();
  void Fail(int error);
  void Abandon();

  int descriptor_ = -1;
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when the target is written straight
  std::string buffer_;
  FileStatus status_;
};

// Writes `bytes` as the whole content of the file `path`, as OutputFile does.
FileStatus WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace fendo
