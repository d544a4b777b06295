#include "config/system_directory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace fendo {
namespace {

// The variable's value; empty when it is not set.
std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::filesystem::path PasswordHome() {
  long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
  constexpr long kFallbackBufferSize = 16384;
  if (bufferSize <= 0) bufferSize = kFallbackBufferSize;
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

std::filesystem::path HomeDirectory() {
  const std::string_view home = Environment("HOME");
  return home.empty() ? PasswordHome() : std::filesystem::path(home);
}

std::filesystem::path SystemDirectory() {
  const std::string_view own = Environment("FENDO_SYSTEM_DIR");
  if (!own.empty()) return own;
  const std::string_view xdg = Environment("XDG_CONFIG_HOME");
  if (!xdg.empty()) return std::filesystem::path(xdg) / "fendo";
  return HomeDirectory() / ".config" / "fendo";
}

}  // namespace fendo
