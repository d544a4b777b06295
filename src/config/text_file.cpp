#include "config/text_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/output_file.h"

namespace fendo {
namespace {

// No settings file comes near this; a larger "settings file" is a mistake (or a device such as
// /dev/zero) and would only exhaust memory.
constexpr std::size_t kLargestTextFile = std::size_t{64} << 20;
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

FileStatus SystemFailure(int error) { return FileStatus::Failure(std::strerror(error)); }

// Reads the whole of an open file into `text` and closes it.
FileStatus ReadAndClose(std::FILE* file, std::string& text) {
  FileStatus status;
  struct stat info {};
  if (fstat(fileno(file), &info) != 0) {
    status = SystemFailure(errno);
  } else if (S_ISDIR(info.st_mode)) {
    status = SystemFailure(EISDIR);
  }
  char block[kBlockBytes];
  while (status) {
    const std::size_t got = std::fread(block, 1, sizeof block, file);
    if (text.size() + got > kLargestTextFile) {
      status = FileStatus::Failure("the file is larger than " +
                                   std::to_string(kLargestTextFile >> 20) + " MiB");
      break;
    }
    text.append(block, got);
    if (got < sizeof block) {
      if (std::ferror(file)) status = SystemFailure(errno);
      break;
    }
  }
  std::fclose(file);
  if (!status) text.clear();
  return status;
}

}  // namespace

FileStatus ReadOptionalTextFile(const std::filesystem::path& path, std::string& text) {
  text.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    // ENOTDIR: a folder on the way is a file, so the file cannot exist either.
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return SystemFailure(errno);
  }
  return ReadAndClose(file, text);
}

FileStatus WriteTextFile(const std::filesystem::path& path, std::string_view text) {
  return WriteWholeFile(path, text);
}

}  // namespace fendo
