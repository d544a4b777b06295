#include "output/source_start_end.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "core/line_reader.h"

namespace fendo {
namespace {

constexpr int kLongestStart = 50;        // lines; a longer start part is not a header
constexpr long kTailBytes = 500;  // the end part is looked for in this much of the file

bool Has(std::string_view line, std::string_view word) { return line.find(word) != std::string_view::npos; }
bool IsComment(std::string_view line) { return Has(line, "(") && Has(line, "/"); }
bool IsRapid(std::string_view line) { return Has(line, "G00") || (Has(line, "G0") && !Has(line, "G01")); }
bool IsCutting(std::string_view line) {
  for (std::string_view word : {"G01", "G1", "G02", "G2", "G03", "G3"}) {
    if (Has(line, word)) return true;
  }
  return false;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (!IsComment(lines[i])) text.append(lines[i]).append("\n");
  }
  return text;
}

// The start part, or nothing when it runs longer than a header does (or the file cannot be
// read). Reading stops at the first cutting move, so a long program costs nothing here.
std::optional<std::string> StartPart(const std::filesystem::path& path) {
  std::string reason;
  std::optional<LineReader> reader = LineReader::Open(path, reason);
  if (!reader) return std::nullopt;
  std::string start;
  std::size_t lastLength = 0;  // length of the last line appended, with its line feed
  bool lastMovesXY = true;
  bool rapidSeen = false;
  int read = 0;
  std::string_view line;
  while (read <= kLongestStart && reader->Next(line)) {
    ++read;
    if (IsComment(line)) continue;
    if (rapidSeen && IsCutting(line)) {
      if (!lastMovesXY) start.resize(start.size() - lastLength);
      break;
    }
    rapidSeen = rapidSeen || IsRapid(line);
    start.append(line).append("\n");
    lastLength = line.size() + 1;
    lastMovesXY = Has(line, "X") || Has(line, "Y");
  }
  if (read > kLongestStart || !reader->error().empty()) return std::nullopt;
  return start;
}

// The whole lines of the last kTailBytes of the file: the partial line the tail starts in is
// left out.
std::vector<std::string> TailLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return lines;
  std::string tail;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    const long from = size > kTailBytes ? size - kTailBytes : 0;
    if (size >= 0 && std::fseek(file, from, SEEK_SET) == 0) {
      char block[kTailBytes];
      tail.assign(block, std::fread(block, 1, sizeof block, file));
      if (from > 0) tail.erase(0, tail.find('\n') == std::string::npos ? tail.size() : tail.find('\n') + 1);
    }
  }
  std::fclose(file);
  LineReader reader(tail);
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

std::string EndPart(const std::filesystem::path& path) {
  const std::vector<std::string> tail = TailLines(path);
  std::optional<std::size_t> lastRetract;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (!IsComment(tail[i]) && Has(tail[i], "Z") && IsRapid(tail[i])) lastRetract = i;
  }
  if (!lastRetract) return Joined(tail, 0);
  if (Has(tail[*lastRetract], "X") || Has(tail[*lastRetract], "Y")) return "";
  return Joined(tail, *lastRetract);
}

}  // namespace

SourceStartEnd ExtractSourceStartEnd(const std::filesystem::path& path) {
  const std::optional<std::string> start = StartPart(path);
  if (!start) return {};
  return {*start, EndPart(path)};
}

}  // namespace fendo
