// fendo.cfg text: the reader must survive any bytes, and what it reads must be written and
// read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/system_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fendo::SystemSettings settings{"c", "w", "p", "e", "f"};
  fendo::ParseSystemSettings(text, settings);
  fendo::SystemSettings again;
  fendo::ParseSystemSettings(fendo::FormatSystemSettings(settings), again);
  if (!(again == settings)) __builtin_trap();
  return 0;
}
