// The ISO dialect (G-code), one line at a time.
//
// The line is first scanned into a block without touching any state: comments in parentheses
// are collected and skipped, ";" ends the block text, and a "#" (a parameter expression) or a
// subroutine statement ("o100 call …") makes the reader leave the whole line alone. Each letter of the word table takes the number right
// after it (blanks between them allowed); a letter without a number makes the block invalid.
// Words act as they do on a controller, whatever their order on the block.
//
// The block is then applied. Modal changes come first and stay even when the block is invalid:
// plane (G17/18/19), G90/G91, G90.1/G91.1, the motion mode, F, and the header words S, T, H, O.
// A valid block then moves: absolute axis words replace the coordinate, incremental ones add to
// it (there is one current position, whichever mode wrote it), the centre offset is I/J/K (as
// offsets, or as the centre's coordinates after G90.1) or, when an R is programmed, worked out
// from R once the end point is known. A block yields a record when it moves, or when it is an
// arc with an axis or centre word (a full circle). While a drilling cycle is in force, its
// blocks drill holes instead (drilling_cycles.cpp).
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/decimal.h"
#include "core/drilling_cycles.h"
#include "core/first_moves.h"
#include "core/nc_number.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader.h"
#include "core/nc_reader_unit.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kThousandth = 0.001;  // mm per unit of an integer-format program

// What a character means to the scanner. The letters that take a number come first, in the
// order of the block's value table; G is last among them because its words act in order.
enum class IsoChar : std::uint8_t {
  Other, X, Y, Z, I, J, K, R, F, S, T, H, O, Q, L, G,
  Stop,        // a lowercase "c": the block ends here without a move
  Comment,     // "("
  EndOfBlock,  // ";": the rest of the line is a comment
  Parameter,   // "#"
};
constexpr int kValueWords = static_cast<int>(IsoChar::L);  // X … L keep their last value

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
  letter('R', IsoChar::R);
  letter('F', IsoChar::F);
  letter('S', IsoChar::S);
  letter('T', IsoChar::T);
  letter('H', IsoChar::H);
  letter('O', IsoChar::O);
  letter('Q', IsoChar::Q);
  letter('L', IsoChar::L);
  letter('G', IsoChar::G);
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
  std::array<double, kValueWords> values;    // the last value of each word X … L, as written;
                                             // only those whose bit is present are ever read
  std::uint32_t present = 0;                 // a bit for each word X … L on the block
  MoveKind kind = MoveKind::None;            // the motion mode after the block's G words
  bool gWord = false;                        // a G word refreshes the modal motion mode
  std::optional<bool> incremental;           // G91 / G90
  std::optional<ArcPlane> plane;             // G17 / G18 / G19
  std::optional<LengthUnit> unit;            // G20 / G21
  CycleCodes cycle;                          // G73 … G89, G80, G98 / G99
  std::optional<bool> absoluteCentres;       // G90.1 / G91.1
  bool modeWords = false;                    // any of the four modes above: most blocks have none
  bool dataOnly = false;
  bool invalid = false;
  bool hasWords = false;                     // anything but blanks outside comments
  bool notInterpreted = false;               // a parameter expression or a subroutine statement
  std::optional<std::string_view> comment;

  static constexpr int Index(IsoChar word) { return static_cast<int>(word) - 1; }
  bool Has(IsoChar word) const { return present & (1u << Index(word)); }
  double Value(IsoChar word) const { return values[Index(word)]; }
  void Set(IsoChar word, double value) {
    values[Index(word)] = value;
    present |= 1u << Index(word);
  }
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

// Of the codes with a fraction only the arc-centre modes are followed; G64.1, G33.1 … are not.
void ApplyFractionalGCode(IsoBlock& b, double value) {
  constexpr double kAbsoluteCentres = 90.1;
  constexpr double kRelativeCentres = 91.1;
  if (value != kAbsoluteCentres && value != kRelativeCentres) return;
  b.absoluteCentres = value == kAbsoluteCentres;
  b.modeWords = true;
}

void ApplyGCode(IsoBlock& b, double value) {
  if (value != std::trunc(value)) {
    ApplyFractionalGCode(b, value);
    return;
  }
  b.gWord = true;
  const int code = IntegerPart(value);
  b.cycle.Note(code);
  switch (code) {
    case 0: b.kind = MoveKind::RapidStart; break;
    case 1: b.kind = b.kind == MoveKind::Feed ? MoveKind::Feed : MoveKind::FeedStart; break;
    case 2: b.kind = MoveKind::ArcCw; break;
    case 3: b.kind = MoveKind::ArcCcw; break;
    case 17: b.plane = ArcPlane::XY; b.modeWords = true; break;
    case 18: b.plane = ArcPlane::ZX; b.modeWords = true; break;
    case 19: b.plane = ArcPlane::YZ; b.modeWords = true; break;
    case 20: b.unit = LengthUnit::Inch; b.modeWords = true; break;
    case 21: b.unit = LengthUnit::Millimetre; b.modeWords = true; break;
    case 90: b.incremental = false; b.modeWords = true; break;
    case 91: b.incremental = true; b.modeWords = true; break;
    default: b.dataOnly = b.dataOnly || IsDataOnlyCode(code); break;
  }
}

IsoBlock ScanIsoBlock(std::string_view line, MoveKind modalKind) {
  IsoBlock b;
  b.kind = ContinuationOf(modalKind);
  bool stopped = false;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    const IsoChar meaning = kIsoChars[static_cast<unsigned char>(c)];
    if (meaning == IsoChar::Other) {
      b.hasWords = b.hasWords || (c != ' ' && c != '\t');
      ++i;
      continue;
    }
    if (meaning <= IsoChar::G) {
      b.hasWords = true;
      const WordNumber number = ReadWordNumber(line, SkipBlanks(line, i + 1));
      i = number.end;
      if (stopped) continue;
      if (!number.hasDigits) {
        b.invalid = true;
      } else if (meaning == IsoChar::G) {
        ApplyGCode(b, number.value);
      } else if (meaning == IsoChar::O && IsSubroutineStatement(line.substr(i))) {
        b.notInterpreted = true;
        return b;
      } else {
        b.Set(meaning, number.value);
      }
      continue;
    }
    switch (meaning) {
      case IsoChar::Comment: {
        const char* const first = b.comment ? b.comment->data() : line.data() + i;
        i = SkipComment(line, i);
        b.comment = std::string_view(first, static_cast<std::size_t>(line.data() + i - first));
        break;
      }
      case IsoChar::EndOfBlock:
        i = line.size();
        break;
      case IsoChar::Parameter:
        b.notInterpreted = true;
        return b;
      default:  // IsoChar::Stop
        stopped = b.invalid = b.hasWords = true;
        ++i;
        break;
    }
  }
  return b;
}

// The words a drilling cycle reads: K and L both count the repeats.
DrillingWords DrillingWordsOf(const IsoBlock& b, const NcOptions& options) {
  const double unit = options.intNcdataFlg ? kThousandth : 1.0;
  const auto length = [&b, unit](IsoChar word) -> std::optional<double> {
    if (!b.Has(word)) return std::nullopt;
    return b.Value(word) * unit;
  };
  DrillingWords words;
  words.axes = {length(IsoChar::X), length(IsoChar::Y), length(IsoChar::Z)};
  words.r = length(IsoChar::R);
  words.q = length(IsoChar::Q);
  for (const IsoChar repeats : {IsoChar::K, IsoChar::L}) {
    if (b.Has(repeats)) words.repeats = IntegerPart(b.Value(repeats));
  }
  return words;
}

// The centre offset of the block's I, J, K (mm, `unit` per number) in the arc-centre mode in
// force. An arc that programs them as offsets is counted for the check of how the program writes
// its centres.
Point3 CentreWordsOffset(const IsoBlock& b, NcReaderState& reader, ArcPlane plane, Point3 start, Point3 end,
                         double unit) {
  constexpr std::uint32_t kCentreWords = (1u << IsoBlock::Index(IsoChar::I)) |
                                         (1u << IsoBlock::Index(IsoChar::J)) | (1u << IsoBlock::Index(IsoChar::K));
  // Most blocks of a program are straight moves without centre words: they leave at once.
  if (!(b.present & kCentreWords) && !reader.absoluteCentres) return {};
  const auto length = [&b, unit](IsoChar word) { return b.Has(word) ? b.Value(word) * unit : 0.0; };
  const Point3 words{length(IsoChar::I), length(IsoChar::J), length(IsoChar::K)};
  if (reader.absoluteCentres) return AbsoluteCentreOffset(words, start, plane);
  if (IsArcKind(b.kind)) reader.arcCentres.Count(start, end, words, plane);
  return words;
}

// The plane, unit, distance and arc-centre modes the block sets.
void ApplyModeWords(const IsoBlock& b, ToolpathDatabase& db) {
  if (b.plane) db.plane = *b.plane;
  if (b.unit) NoteStatedUnit(db, *b.unit);
  if (b.incremental) db.reader.incremental = *b.incremental;
  if (b.absoluteCentres) db.reader.absoluteCentres = *b.absoluteCentres;
}

// A feed is a speed: a negative one is a word the reader cannot use, and the feed stays.
void ApplyFeedWord(double value, NcReaderState& reader) {
  if (value < 0) {
    ++reader.droppedWords;
    return;
  }
  reader.feed = IntegerPart(value);
}

void ApplyHeaderWords(const IsoBlock& b, LayerSlot& layer) {
  if (b.Has(IsoChar::S)) layer.spindle = IntegerPart(b.Value(IsoChar::S));
  if (b.Has(IsoChar::T)) layer.toolNumber = layer.lengthOffset = IntegerPart(b.Value(IsoChar::T));
  if (b.Has(IsoChar::H)) layer.lengthOffset = IntegerPart(b.Value(IsoChar::H));
  if (b.Has(IsoChar::O)) layer.programNumber = IntegerPart(b.Value(IsoChar::O));
}

}  // namespace

LineOutcome ParseIsoLine(ToolpathDatabase& db, std::string_view line) {
  NcReaderState& reader = db.reader;
  const IsoBlock b = ScanIsoBlock(line, reader.modalKind);
  if (b.notInterpreted) return LineOutcome::Skipped;
  LayerSlot& layer = db.layers[db.layers.workLayer];
  if (b.comment) AddCommentLine(layer, *b.comment);
  if (!b.hasWords) return LineOutcome::NoRecord;

  ApplyHeaderWords(b, layer);
  if (b.modeWords) ApplyModeWords(b, db);
  if (b.Has(IsoChar::F)) ApplyFeedWord(b.Value(IsoChar::F), reader);
  if (b.gWord) reader.modalKind = b.kind;
  if (reader.drilling.InForce() || b.cycle.StartsOrReturns()) [[unlikely]] {
    const bool usable = !b.invalid && !b.dataOnly;
    if (const auto outcome = ReadDrillingCycleBlock(db, b.cycle, DrillingWordsOf(b, db.options), usable)) {
      // The cycle's levels are its own: what the program states of its position starts here.
      reader.unstatedAxes = 0;
      return *outcome;
    }
  }
  if (b.invalid) return LineOutcome::Invalid;
  if (b.dataOnly) return LineOutcome::Skipped;

  const double unit = db.options.intNcdataFlg ? kThousandth : 1.0;
  const auto length = [&b, unit](IsoChar word) { return b.Has(word) ? b.Value(word) * unit : 0.0; };
  Point3 start = reader.position;
  Point3 end = start;
  const std::array<std::pair<IsoChar, double Point3::*>, 3> axes = {
      {{IsoChar::X, &Point3::x}, {IsoChar::Y, &Point3::y}, {IsoChar::Z, &Point3::z}}};
  for (const auto& [word, axis] : axes) {
    if (b.Has(word)) end.*axis = reader.incremental ? start.*axis + length(word) : length(word);
  }
  if (BeyondCoordinateLimit(end)) return LineOutcome::OutOfReach;
  if (reader.unstatedAxes) [[unlikely]] {
    static_assert(kAxisX == 1u << IsoBlock::Index(IsoChar::X) && kAxisZ == 1u << IsoBlock::Index(IsoChar::Z));
    const unsigned named = b.present & kAllAxes;
    NoteStatedAxes(db, reader.incremental ? 0 : named, reader.incremental ? named : 0, end, start);
  }
  const Point3 centreOffset = b.Has(IsoChar::R) ? RadiusCentreOffset(db, start, end, length(IsoChar::R), b.kind)
                                                : CentreWordsOffset(b, reader, db.plane, start, end, unit);
  // A block that stays where it is moves only when it programs a full circle: an arc word
  // (axis or centre) in arc mode. A bare "M05" or "G17" in arc mode is no move at all.
  constexpr std::uint32_t kArcWords = (1u << IsoBlock::Index(IsoChar::X)) | (1u << IsoBlock::Index(IsoChar::Y)) |
                                      (1u << IsoBlock::Index(IsoChar::Z)) | (1u << IsoBlock::Index(IsoChar::I)) |
                                      (1u << IsoBlock::Index(IsoChar::J)) | (1u << IsoBlock::Index(IsoChar::K)) |
                                      (1u << IsoBlock::Index(IsoChar::R));
  const bool yields = end != start || (IsArcKind(b.kind) && (b.present & kArcWords));
  return FinishBlock(db, end, centreOffset, b.kind, yields);
}

}  // namespace fendo
