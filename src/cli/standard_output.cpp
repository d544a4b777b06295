#include "cli/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fendo {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{64} << 10;

}  // namespace

StandardOutput::StandardOutput() : buffer_(kBufferBytes) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

bool StandardOutput::WriteBuffered() {
  const char* data = pbase();
  std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  // After a failure the rest is dropped: the run goes on to its end and then fails.
  while (size > 0 && failure_.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, data, size);
    if (written < 0) {
      if (errno != EINTR) failure_ = std::strerror(errno);
      continue;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return failure_.empty();
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
  if (!WriteBuffered()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int StandardOutput::sync() { return WriteBuffered() ? 0 : -1; }

}  // namespace fendo
