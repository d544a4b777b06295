// fendo-batch dump: the work buffer after loading, one record a line as
// "index kind x y z feed" (kind as its number, coordinates with four decimals).
#include <charconv>

#include "cli/batch_program.h"

namespace fendo {
namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;
constexpr int kDecimals = 4;

void AppendNumber(std::string& text, double v) {
  char digits[64];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, kDecimals).ptr);
}

void AppendInteger(std::string& text, long long v) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}

}  // namespace

int RunDump(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1) {
    streams.err << "fendo-batch: dump takes exactly one file (see fendo-batch --help)\n";
    return 2;
  }
  const LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  ToolpathDatabase& db = *program.db;
  std::string text;
  text.reserve(kFlushBytes + 256);
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    AppendInteger(text, i);
    text += ' ';
    AppendInteger(text, static_cast<int>(r.kind));
    for (float v : {r.x, r.y, r.z}) {
      text += ' ';
      AppendNumber(text, v);
    }
    text += ' ';
    AppendInteger(text, r.feed);
    text += '\n';
    if (text.size() >= kFlushBytes) {
      streams.out.write(text.data(), static_cast<std::streamsize>(text.size()));
      text.clear();
    }
  });
  streams.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  streams.out.flush();
  return program.result.ok() && streams.out ? 0 : 1;
}

}  // namespace fendo
