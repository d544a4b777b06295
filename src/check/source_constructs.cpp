// The scan runs over every line of the program, so it looks at each byte once and allocates
// nothing; it only needs to recognise the words, not to read them.
#include "check/source_constructs.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/nc_reader_unit.h"

namespace fendo {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The whole number written at `pos` (leading zeros and a decimal part aside: G01 is 1, G53.1
// is 53), or -1 when no digit stands there.
int CodeAt(std::string_view line, std::size_t pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  if (pos >= line.size() || !IsDigit(line[pos])) return -1;
  int code = 0;
  for (; pos < line.size() && IsDigit(line[pos]) && code < 10000; ++pos) code = code * 10 + (line[pos] - '0');
  return code;
}

// The bytes an ISO line is scanned for; the coordinates, digits and spaces that make most of a
// program are passed over at the cost of a table look-up.
constexpr std::array<bool, 256> kIsoMarks = [] {
  std::array<bool, 256> marks{};
  for (const char c : std::string_view("()#[;GgMm")) marks[static_cast<unsigned char>(c)] = true;
  return marks;
}();

// Where the first byte of kIsoMarks stands in `line` or might stand: most lines of a long
// program are coordinates alone, which are passed over sixteen bytes at a time.
std::size_t FirstMark(std::string_view line) {
#if defined(__SSE2__)
  constexpr std::string_view kMarks = "()#[;GgMm";
  std::size_t pos = 0;
  for (; pos + 16 <= line.size(); pos += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + pos));
    __m128i hits = _mm_setzero_si128();
    for (const char mark : kMarks) hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(mark)));
    if (const int mask = _mm_movemask_epi8(hits)) return pos + static_cast<std::size_t>(__builtin_ctz(mask));
  }
  return pos;
#else
  return 0;
#endif
}

void NoteGCode(int code, LineConstructs& found) {
  switch (code) {
    case 28: case 30: case 53: found.homeMove = true; break;
    case 41: case 42: found.radiusCompensation = true; break;
    case 65: case 66: found.subprogramCall = true; break;
    case 20: found.unit = LengthUnit::Inch; break;
    case 21: found.unit = LengthUnit::Millimetre; break;
    default: break;
  }
}

// Whether `word` stands in `text` (upper case) as a word of its own: not inside a longer one.
bool HasWord(std::string_view text, std::string_view word) {
  for (std::size_t pos = text.find(word); pos != std::string_view::npos; pos = text.find(word, pos + 1)) {
    const std::size_t end = pos + word.size();
    const bool startsWord = pos == 0 || !IsLetter(text[pos - 1]);
    const bool endsWord = end == text.size() || !IsLetter(text[end]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

}  // namespace

LineConstructs ScanIsoLine(std::string_view line) {
  LineConstructs found;
  bool inComment = false;  // inside a comment in parentheses
  for (std::size_t i = FirstMark(line); i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (!kIsoMarks[byte]) continue;
    const char c = Upper(line[i]);
    if (inComment) {
      inComment = c != ')';
    } else if (c == '(') {
      inComment = true;
    } else if (c == ';') {
      break;
    } else if (c == '#' || c == '[') {
      found.variable = true;
    } else if (c == 'G') {
      NoteGCode(CodeAt(line, i + 1), found);
    } else if (c == 'M') {
      const int code = CodeAt(line, i + 1);
      if (code == 98 || code == 198) found.subprogramCall = true;
    }
  }
  return found;
}

LineConstructs ScanHeidenhainLine(std::string_view line) {
  LineConstructs found;
  if (const std::size_t comment = line.find(';'); comment != std::string_view::npos) line = line.substr(0, comment);
  // Heidenhain lines are short; an upper-case copy of the first part keeps the word search simple.
  char upper[256];
  const std::size_t size = std::min(line.size(), sizeof upper);
  for (std::size_t i = 0; i < size; ++i) upper[i] = Upper(line[i]);
  const std::string_view text(upper, size);
  found.heidenhainCycle = text.find("CYCL DEF") != std::string_view::npos || text.find("CYCL CALL") != std::string_view::npos;
  found.subprogramCall = text.find("CALL LBL") != std::string_view::npos || text.find("CALL PGM") != std::string_view::npos;
  found.radiusCompensation = HasWord(text, "RL") || HasWord(text, "RR");
  found.variable = HasWord(text, "FN");
  for (std::size_t i = 0; i + 1 < size && !found.variable; ++i) {
    found.variable = text[i] == 'Q' && IsDigit(text[i + 1]) && (i == 0 || !IsLetter(text[i - 1]));
  }
  found.unit = BeginProgramUnit(line);
  return found;
}

}  // namespace fendo
