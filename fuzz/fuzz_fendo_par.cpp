// fendo.par text: the reader must survive any bytes, and what it reads must be written and
// read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/nc_options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const fendo::NcOptions options = fendo::ParseNcOptions(text);
  if (!(fendo::ParseNcOptions(fendo::FormatNcOptions(options)) == options)) __builtin_trap();
  return 0;
}
