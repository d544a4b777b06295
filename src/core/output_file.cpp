#include "core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace fendo {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;
constexpr int kNameAttempts = 100;   // temporary names tried before giving up
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as any program's new file

// The file a symbolic link points to: the link stays a link, its file is replaced.
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path target = fs::canonical(path, error);
  return error ? path : target;
}

// A name beside `target` that no other writer uses: hidden, and naming the process.
fs::path TemporaryName(const fs::path& target, int attempt) {
  static std::atomic<unsigned> counter{0};
  std::string name = ".";
  name.append(target.filename().string()).append(".part-").append(std::to_string(getpid()));
  name.append("-").append(std::to_string(counter++)).append("-").append(std::to_string(attempt));
  return fs::path(target).replace_filename(name);
}

bool WriteAll(int descriptor, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The rename is on the disk only when the folder is: a plus, its failure changes nothing written.
void SyncFolder(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

OutputFile::OutputFile(const fs::path& path) : target_(Resolved(path)) {
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (target_.filename().empty()) {
    Fail(EISDIR);
    return;
  }
  if (!exists || S_ISREG(existing.st_mode)) {
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
      temporary_ = TemporaryName(target_, attempt);
      descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
      if (descriptor_ < 0 && errno != EEXIST) break;
    }
    const int error = errno;
    if (descriptor_ < 0) temporary_.clear();
    // A folder that takes no new file may still hold a file the user may write: it is written
    // straight then, as the only way to write it at all.
    if (descriptor_ < 0 && !(exists && (error == EACCES || error == EPERM || error == EROFS))) {
      Fail(error);
      return;
    }
    // A replaced file keeps who may read and write it.
    if (descriptor_ >= 0 && exists) ::fchmod(descriptor_, existing.st_mode & 07777);
  }
  if (descriptor_ < 0) {
    descriptor_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (descriptor_ < 0) Fail(errno);
  }
  if (ok()) buffer_.reserve(kFlushBytes + 4096);
}

OutputFile::~OutputFile() { Abandon(); }

void OutputFile::Fail(int error) {
  if (status_.ok) status_ = FileStatus::Failure(std::strerror(error));
}

void OutputFile::Write(std::string_view text) {
  if (!ok()) return;
  if (text.size() < kFlushBytes) {
    buffer_.append(text);
    if (buffer_.size() >= kFlushBytes) Flush();
    return;
  }
  // A large block (a whole master model) goes out as it is, without a copy.
  Flush();
  if (ok() && !WriteAll(descriptor_, text.data(), text.size())) Fail(errno);
}

void OutputFile::Flush() {
  if (ok() && !WriteAll(descriptor_, buffer_.data(), buffer_.size())) Fail(errno);
  buffer_.clear();
}

void OutputFile::Abandon() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

FileStatus OutputFile::Close() {
  if (descriptor_ < 0) return status_;
  Flush();
  // A full disk is often first reported when the bytes really reach it.
  if (ok() && !temporary_.empty() && ::fsync(descriptor_) != 0) Fail(errno);
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) Fail(errno);
  if (temporary_.empty()) return status_;
  if (ok() && ::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  if (ok()) {
    temporary_.clear();
    SyncFolder(target_);
  }
  Abandon();
  return status_;
}

FileStatus WriteWholeFile(const fs::path& path, std::string_view bytes) {
  OutputFile file(path);
  file.Write(bytes);
  return file.Close();
}

}  // namespace fendo
