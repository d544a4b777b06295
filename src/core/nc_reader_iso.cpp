// The ISO dialect (G-code), one line at a time.
//
// The line is first scanned into a block without touching any state: comments in parentheses
// are collected and skipped, ";" ends the block text, and a "#" (a parameter expression) or a
// subroutine statement ("o100 call …") makes the reader leave the whole line alone. Each letter of the word table takes the number right
// after it (blanks between them allowed); a letter without a number makes the block invalid.
// Words act as they do on a controller, whatever their order on the block.
//
// The block is then applied. Modal changes come first and stay even when the block is invalid:
// plane (G17/18/19), G90/G91, the motion mode, F, and the header words S, T, H, O. A valid block
// then moves: absolute axis words replace the coordinate, incremental ones add to it (there is
// one current position, whichever mode wrote it), the centre offset is I/J/K or, when an R is
// programmed, worked out from R once the end point is known. A block yields a record when it
// moves, or when it is an arc (then it may be a full circle).
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string>
#include <cstdint>
#include <optional>

#include "core/decimal.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kThousandth = 0.001;  // mm per unit of an integer-format program

enum class IsoChar : std::uint8_t {
  Other, X, Y, Z, I, J, K, F, G, R, S, T, H, O,
  Stop,        // a lowercase "c": the block ends here without a move
  Comment,     // "("
  EndOfBlock,  // ";": the rest of the line is a comment
  Parameter,   // "#"
};

constexpr std::array<IsoChar, 256> MakeIsoCharTable() {
  std::array<IsoChar, 256> table{};
  const auto letter = [&table](char upper, IsoChar meaning) {
    table[static_cast<unsigned char>(upper)] = meaning;
    table[static_cast<unsigned char>(upper - 'A' + 'a')] = meaning;
  };
  letter('X', IsoChar::X);
  letter('Y', IsoChar::Y);
  letter('Z', IsoChar::Z);
  letter('I', IsoChar::I);
  letter('J', IsoChar::J);
  letter('K', IsoChar::K);
  letter('F', IsoChar::F);
  letter('G', IsoChar::G);
  letter('R', IsoChar::R);
  letter('S', IsoChar::S);
  letter('T', IsoChar::T);
  letter('H', IsoChar::H);
  letter('O', IsoChar::O);
  table['c'] = IsoChar::Stop;
  table['('] = IsoChar::Comment;
  table[';'] = IsoChar::EndOfBlock;
  table['#'] = IsoChar::Parameter;
  return table;
}
constexpr std::array<IsoChar, 256> kIsoChars = MakeIsoCharTable();

// The words after "o<number>" that make the line a subroutine or loop statement (sub, call,
// while …) rather than a program number.
constexpr std::array<std::string_view, 15> kSubroutineKeywords = {
    "sub", "endsub", "call", "do", "while", "endwhile", "if", "elseif", "else", "endif",
    "repeat", "endrepeat", "break", "continue", "return"};

bool IsSubroutineStatement(std::string_view rest) {
  const std::size_t start = SkipBlanks(rest, 0);
  std::size_t end = start;
  while (end < rest.size() && std::isalpha(static_cast<unsigned char>(rest[end]))) ++end;
  std::string word(rest.substr(start, end - start));
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return std::find(kSubroutineKeywords.begin(), kSubroutineKeywords.end(), word) != kSubroutineKeywords.end();
}

// G codes whose axis words are data (a dwell time, an offset, a position to set or a move in
// machine coordinates), not a move in the program's coordinates.
bool IsDataOnlyCode(int code) { return code == 4 || code == 10 || code == 52 || code == 53 || code == 92; }

struct IsoBlock {
  MoveKind kind = MoveKind::None;      // the motion mode after the block's G words
  bool gWord = false;                  // a G word refreshes the modal motion mode
  std::optional<bool> incremental;     // G91 / G90
  std::optional<ArcPlane> plane;       // G17 / G18 / G19
  bool dataOnly = false;
  std::array<std::optional<double>, 3> axes;  // X, Y, Z as written, mm
  Point3 centreOffset;                 // I, J, K, mm
  std::optional<double> radius;        // R, mm
  std::optional<std::int32_t> feed;    // F, mm/min
  std::optional<std::int32_t> spindle, tool, lengthOffset, program;
  bool invalid = false;
  bool hasWords = false;               // anything but blanks outside comments
  bool notInterpreted = false;         // a parameter expression or a subroutine statement
  std::optional<std::string_view> comment;
};

std::size_t SkipComment(std::string_view line, std::size_t i) {
  int depth = 0;
  for (; i < line.size(); ++i) {
    if (line[i] == '(') {
      ++depth;
    } else if (line[i] == ')' && --depth == 0) {
      return i + 1;
    }
  }
  return line.size();
}

void ApplyGCode(IsoBlock& b, double value) {
  if (value != std::trunc(value)) return;  // G90.1, G64.1 …: variants the reader does not follow
  b.gWord = true;
  const int code = IntegerPart(value);
  switch (code) {
    case 0: b.kind = MoveKind::RapidStart; break;
    case 1: b.kind = b.kind == MoveKind::Feed ? MoveKind::Feed : MoveKind::FeedStart; break;
    case 2: b.kind = MoveKind::ArcCw; break;
    case 3: b.kind = MoveKind::ArcCcw; break;
    case 17: b.plane = ArcPlane::XY; break;
    case 18: b.plane = ArcPlane::ZX; break;
    case 19: b.plane = ArcPlane::YZ; break;
    case 90: b.incremental = false; break;
    case 91: b.incremental = true; break;
    default: b.dataOnly = b.dataOnly || IsDataOnlyCode(code); break;
  }
}

void ApplyWord(IsoBlock& b, IsoChar word, double value, double unit) {
  switch (word) {
    case IsoChar::X: b.axes[0] = value * unit; break;
    case IsoChar::Y: b.axes[1] = value * unit; break;
    case IsoChar::Z: b.axes[2] = value * unit; break;
    case IsoChar::I: b.centreOffset.x = value * unit; break;
    case IsoChar::J: b.centreOffset.y = value * unit; break;
    case IsoChar::K: b.centreOffset.z = value * unit; break;
    case IsoChar::R: b.radius = value * unit; break;
    case IsoChar::F: b.feed = IntegerPart(value); break;
    case IsoChar::S: b.spindle = IntegerPart(value); break;
    case IsoChar::T: b.tool = IntegerPart(value); break;
    case IsoChar::H: b.lengthOffset = IntegerPart(value); break;
    case IsoChar::O: b.program = IntegerPart(value); break;
    case IsoChar::G: ApplyGCode(b, value); break;
    default: break;
  }
}

IsoBlock ScanIsoBlock(std::string_view line, MoveKind modalKind, bool integerMode) {
  IsoBlock b;
  b.kind = ContinuationOf(modalKind);
  const double unit = integerMode ? kThousandth : 1.0;
  bool stopped = false;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    const IsoChar meaning = kIsoChars[static_cast<unsigned char>(c)];
    switch (meaning) {
      case IsoChar::Other:
        b.hasWords = b.hasWords || (c != ' ' && c != '\t');
        ++i;
        continue;
      case IsoChar::Comment:
        if (!b.comment) b.comment = line.substr(i);
        i = SkipComment(line, i);
        continue;
      case IsoChar::EndOfBlock:
        i = line.size();
        continue;
      case IsoChar::Parameter:
        b.notInterpreted = true;
        return b;
      case IsoChar::Stop:
        stopped = b.invalid = b.hasWords = true;
        ++i;
        continue;
      default:
        break;
    }
    b.hasWords = true;
    const std::size_t start = SkipBlanks(line, i + 1);
    std::size_t end = start;
    while (end < line.size() && IsNumberChar(line[end])) ++end;
    i = end;
    if (stopped) continue;
    const DecimalPrefix number = ParseDecimalPrefix(line.substr(start, end - start));
    if (!number.hasDigits) {
      b.invalid = true;
      continue;
    }
    if (meaning == IsoChar::O && IsSubroutineStatement(line.substr(end))) {
      b.notInterpreted = true;
      return b;
    }
    ApplyWord(b, meaning, number.value, unit);
  }
  return b;
}

void ApplyHeaderWords(const IsoBlock& b, LayerSlot& layer) {
  if (b.spindle) layer.spindle = *b.spindle;
  if (b.tool) layer.toolNumber = layer.lengthOffset = *b.tool;
  if (b.lengthOffset) layer.lengthOffset = *b.lengthOffset;
  if (b.program) layer.programNumber = *b.program;
}

}  // namespace

LineOutcome ParseIsoLine(ToolpathDatabase& db, std::string_view line) {
  NcReaderState& reader = db.reader;
  const IsoBlock b = ScanIsoBlock(line, reader.modalKind, db.options.intNcdataFlg);
  if (b.notInterpreted) return LineOutcome::Skipped;
  LayerSlot& layer = db.layers[db.layers.workLayer];
  if (b.comment) AddCommentLine(layer, *b.comment);
  if (!b.hasWords) return LineOutcome::NoRecord;

  ApplyHeaderWords(b, layer);
  if (b.plane) db.plane = *b.plane;
  if (b.incremental) reader.incremental = *b.incremental;
  if (b.feed) reader.feed = *b.feed;
  if (b.gWord) reader.modalKind = b.kind;
  if (b.invalid) return LineOutcome::Invalid;
  if (b.dataOnly) return LineOutcome::Skipped;

  const Point3 start = reader.position;
  Point3 end = start;
  double Point3::*const axisOf[3] = {&Point3::x, &Point3::y, &Point3::z};
  for (int a = 0; a < 3; ++a) {
    if (b.axes[a]) end.*axisOf[a] = reader.incremental ? start.*axisOf[a] + *b.axes[a] : *b.axes[a];
  }
  reader.blockStart = start;
  reader.centreOffset =
      b.radius ? ArcCentreFromRadius(db.plane, start, end, *b.radius, b.kind) : b.centreOffset;
  reader.position = end;
  if (end == start && !IsArcKind(b.kind)) return LineOutcome::NoRecord;

  db.cursor = {};
  db.cursor.SetPosition(end);
  db.cursor.feed = reader.feed;
  db.cursor.kind = b.kind;
  return LineOutcome::Record;
}

}  // namespace fendo
