#include "core/line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace fendo {
namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
// No NC block comes near this; a "line" this long is a file that is not NC text.
constexpr std::size_t kLongestLine = std::size_t{256} << 20;

}  // namespace

std::optional<LineReader> LineReader::Open(const std::filesystem::path& path, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    reason = std::strerror(errno);
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
    reason = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : std::strerror(errno);
    std::fclose(file);
    return std::nullopt;
  }
  LineReader reader;
  reader.file_ = file;
  reader.total_ = S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : 0;
  reader.capacity_ = kBlockBytes;
  reader.block_ = std::make_unique<char[]>(reader.capacity_);
  reader.data_ = reader.block_.get();
  return reader;
}

LineReader::LineReader(std::string_view text)
    : data_(text.data()), end_(text.size()), atEnd_(true), total_(static_cast<std::int64_t>(text.size())) {
  DecideLineEnd();
}

LineReader::LineReader(LineReader&& other) noexcept { *this = std::move(other); }

LineReader& LineReader::operator=(LineReader&& other) noexcept {
  if (this != &other) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    block_ = std::move(other.block_);
    capacity_ = other.capacity_;
    data_ = other.data_;
    begin_ = other.begin_;
    end_ = other.end_;
    atEnd_ = other.atEnd_;
    lineEndDecided_ = other.lineEndDecided_;
    carriageReturnLines_ = other.carriageReturnLines_;
    consumed_ = other.consumed_;
    total_ = other.total_;
    error_ = std::move(other.error_);
  }
  return *this;
}

LineReader::~LineReader() {
  if (file_) std::fclose(file_);
}

bool LineReader::Next(std::string_view& line) {
  if (carriageReturnLines_) [[unlikely]] return NextCarriageReturnLine(line);
  for (;;) {
    const char* first = data_ + begin_;
    const std::size_t available = end_ - begin_;
    const void* feed = available ? std::memchr(first, '\n', available) : nullptr;
    if (feed || (atEnd_ && available > 0)) {
      const std::size_t length = feed ? static_cast<const char*>(feed) - first : available;
      const std::size_t taken = feed ? length + 1 : length;
      begin_ += taken;
      consumed_ += static_cast<std::int64_t>(taken);
      line = std::string_view(first, length > 0 && first[length - 1] == '\r' ? length - 1 : length);
      return true;
    }
    if (atEnd_ || !Refill()) return false;
    if (carriageReturnLines_) return NextCarriageReturnLine(line);
  }
}

// A line ends at a carriage return, a line feed, or the pair of them.
bool LineReader::NextCarriageReturnLine(std::string_view& line) {
  for (;;) {
    const char* first = data_ + begin_;
    const std::size_t available = end_ - begin_;
    const void* found = available ? std::memchr(first, '\r', available) : nullptr;
    std::size_t length = found ? static_cast<const char*>(found) - first : available;
    const void* feed = length ? std::memchr(first, '\n', length) : nullptr;
    if (feed) length = static_cast<const char*>(feed) - first;
    const bool ended = length < available;
    // A carriage return at the end of what is read may have its line feed in the next block.
    const bool pairUnknown = ended && first[length] == '\r' && length + 1 == available && !atEnd_;
    if ((ended && !pairUnknown) || (atEnd_ && available > 0)) {
      std::size_t taken = length;
      if (ended) taken += first[length] == '\r' && length + 1 < available && first[length + 1] == '\n' ? 2 : 1;
      begin_ += taken;
      consumed_ += static_cast<std::int64_t>(taken);
      line = std::string_view(first, length);
      return true;
    }
    if (atEnd_ || !Refill()) return false;
  }
}

// The first line end of the file decides how its lines end.
void LineReader::DecideLineEnd() {
  lineEndDecided_ = true;
  const char* first = data_ + begin_;
  const std::size_t available = end_ - begin_;
  if (available == 0) return;
  const void* feed = std::memchr(first, '\n', available);
  const std::size_t beforeFeed = feed ? static_cast<const char*>(feed) - first : available;
  const void* found = std::memchr(first, '\r', beforeFeed);
  if (!found) return;
  const std::size_t at = static_cast<const char*>(found) - first;
  carriageReturnLines_ = at + 1 < available && first[at + 1] != '\n';
}

std::string_view LineReader::Head(std::size_t limit) {
  if (begin_ == end_ && !atEnd_) Refill();
  return std::string_view(data_ + begin_, std::min(limit, end_ - begin_));
}

// Moves the unfinished line to the front of the block (growing the block when the line fills
// it) and reads more behind it.
bool LineReader::Refill() {
  const std::size_t pending = end_ - begin_;
  if (pending == capacity_) {
    if (capacity_ >= kLongestLine) {
      error_ = "a line is longer than " + std::to_string(kLongestLine >> 20) + " MiB";
      return false;
    }
    auto bigger = std::make_unique<char[]>(capacity_ * 2);
    std::memcpy(bigger.get(), block_.get() + begin_, pending);
    block_ = std::move(bigger);
    capacity_ *= 2;
  } else if (begin_ > 0) {
    std::memmove(block_.get(), block_.get() + begin_, pending);
  }
  data_ = block_.get();
  begin_ = 0;
  end_ = pending;
  const std::size_t got = std::fread(block_.get() + end_, 1, capacity_ - end_, file_);
  end_ += got;
  if (got == 0) {
    if (std::ferror(file_)) {
      error_ = std::strerror(errno);
      return false;
    }
    atEnd_ = true;
  }
  if (!lineEndDecided_) DecideLineEnd();
  return true;
}

}  // namespace fendo
