#include "output/output_file.h"

#include <cerrno>
#include <cstring>

namespace fendo {
namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    status_ = FileStatus::Failure(std::strerror(errno));
    return;
  }
  buffer_.reserve(kFlushBytes + 4096);
}

OutputFile::~OutputFile() { Close(); }

void OutputFile::Write(std::string_view text) {
  if (!file_) return;
  buffer_.append(text);
  if (buffer_.size() >= kFlushBytes) Flush();
}

void OutputFile::Flush() {
  if (buffer_.empty() || !file_) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() && status_.ok) {
    status_ = FileStatus::Failure(std::strerror(errno));
  }
  buffer_.clear();
}

FileStatus OutputFile::Close() {
  if (!file_) return status_;
  Flush();
  // Buffered bytes reach the disk only here: a full disk is often first reported by fclose.
  if (std::fclose(file_) != 0 && status_.ok) status_ = FileStatus::Failure(std::strerror(errno));
  file_ = nullptr;
  return status_;
}

}  // namespace fendo
