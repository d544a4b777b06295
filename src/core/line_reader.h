#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fendo {

// Reads a text file (or text in memory) line by line, every line whole however long it is.
// The file is read in large blocks; a line is handed out as a view into the block, without its
// line feed and without a carriage return before it. A last line without a line feed is a line.
// A file whose first line ends in a lone carriage return (old Mac editors, some DNC software)
// has its lines ended by carriage returns; a line feed still ends a line there too.
class LineReader {
 public:
  // Opens a file for reading; nothing and a reason (the system's words) when it cannot be read.
  static std::optional<LineReader> Open(const std::filesystem::path& path, std::string& reason);
  // Reads lines from text held by the caller, which must outlive the reader.
  explicit LineReader(std::string_view text);

  LineReader(LineReader&&) noexcept;
  LineReader& operator=(LineReader&&) noexcept;
  ~LineReader();

  // The next line, or false at the end of the text or when reading failed (see error()).
  bool Next(std::string_view& line);

  // Up to `limit` bytes from the start of what is not handed out yet, reading the first block
  // when nothing is read yet; nothing is consumed.
  std::string_view Head(std::size_t limit);

  // Why reading stopped early, empty when it did not.
  const std::string& error() const { return error_; }
  std::int64_t bytesConsumed() const { return consumed_; }
  // The size of the file (or text) when it is known, else 0.
  std::int64_t totalBytes() const { return total_; }

 private:
  LineReader() = default;
  bool Refill();
  void DecideLineEnd();
  bool NextCarriageReturnLine(std::string_view& line);

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> block_;
  std::size_t capacity_ = 0;
  const char* data_ = nullptr;  // the block, or the caller's text
  std::size_t begin_ = 0;       // first byte not yet handed out
  std::size_t end_ = 0;         // end of the bytes read
  bool atEnd_ = false;
  bool lineEndDecided_ = false;
  bool carriageReturnLines_ = false;  // lines end in a lone carriage return
  std::int64_t consumed_ = 0;
  std::int64_t total_ = 0;
  std::string error_;
};

}  // namespace fendo
