// Fuzzes the NC reader with both dialects and every reader option, then runs what follows a
// load (statistics, lengths) and the post-edit steps over whatever it read. Whatever bytes the
// comment gathered, it must be shown as valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/nc_reader.h"
#include "core/path_length.h"
#include "core/post_edit.h"
#include "core/statistics.h"
#include "core/text_encoding.h"
#include "core/toolpath_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  auto db = std::make_unique<fendo::ToolpathDatabase>();
  // The first byte picks the options, the rest is the program.
  db->options.heidenhainInputChk = data[0] & 1;
  db->options.intNcdataFlg = data[0] & 2;
  db->options.arcToCutInputChk = data[0] & 4;
  fendo::AppendText(*db, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  fendo::ComputeStatistics(*db);
  fendo::PathLength(*db);
  fendo::RebuildRapids(*db);
  const std::string shown = fendo::DecodeToUtf8(db->layers[db->layers.workLayer].comment);
  if (fendo::DetectEncoding(shown) != fendo::TextEncoding::Utf8) __builtin_trap();
  return 0;
}
