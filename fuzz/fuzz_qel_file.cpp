// *.qel text: the reader must survive any bytes and either take the whole file or change
// nothing; what it takes must be written and read back to the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "feed/qel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fendo::MachineCondition condition;
  const std::string before = fendo::FormatQelText(condition);
  if (!fendo::ParseQelText(text, condition).ok()) {
    if (fendo::FormatQelText(condition) != before) __builtin_trap();
    return 0;
  }
  // Six decimals may round a real once; after that the text stays as it is.
  const std::string written = fendo::FormatQelText(condition);
  fendo::MachineCondition reread;
  if (!fendo::ParseQelText(written, reread).ok()) __builtin_trap();
  reread.qelByMaster = condition.qelByMaster;
  if (fendo::FormatQelText(reread) != written) __builtin_trap();
  return 0;
}
