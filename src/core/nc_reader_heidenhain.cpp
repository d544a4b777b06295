// The Heidenhain conversational dialect, one line at a time.
//
// ";" starts a comment. Lines of the program's frame (BEGIN/END PGM, BLK FORM, TOOL DEF/CALL)
// yield nothing (BEGIN PGM states the unit, TOOL CALL the program's tool and spindle); lines the reader does not interpret yield nothing and change nothing: Q
// parameter formulas and assignments, FN functions, CYCL DEF cycles and CYCL CALL, polar moves
// (LP, CP), moves in machine coordinates (M91, M92) and axis words that take a Q parameter. A
// cycle called by M99 or M89 on a positioning block is not run either (what the cycle does is
// in its definition, which is not read): the block's move is read and the call counted.
//
// Words act in the order they stand. The motion kind starts from the modal kind (continued):
//   L         a straight move: after an arc it starts a cutting path, with no mode yet a rapid;
//   F<n>      the feed; a block that is not an arc becomes a cutting move;
//   FMAX      a rapid move for this block, the feed staying as it was;
//   G0..G3    as in ISO; G90/G91 absolute or incremental axis words;
//   DR+ DR-   a counter-clockwise / clockwise arc; the direction carries on to later C blocks;
//   CC        the circle centre (pole) for the following C blocks; the line yields nothing;
//   C         an arc about the pole; CR an arc by its radius R (negative: more than half a turn);
//   CT        a tangential arc, not drawn: the position moves on to its end point.
// X, Y, Z set a coordinate (one with no number keeps it); IX, IY, IZ add to it. A block yields
// a record when it moves or when it is an arc; every block read to its end passes its kind on
// as the modal kind (so "L F100" alone sets up the feed moves that follow).
#include <array>
#include <cmath>
#include <optional>

#include "core/decimal.h"
#include "core/first_moves.h"
#include "core/nc_number.h"
#include "core/geometry.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader.h"
#include "core/nc_reader_unit.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr int kMachineCoordinates = 91;  // M91: the block's coordinates are the machine's
constexpr int kMachineFixedPoint = 92;   // M92: the same, measured from a fixed machine point
constexpr int kCycleCall = 99;           // M99: the cycle defined last runs at the block's end point
constexpr int kModalCycleCall = 89;      // M89: the same, and after every positioning block to come

struct NumberWord {
  WordNumber number;
  std::size_t end = 0;      // where the scan goes on
  bool parameter = false;   // the word takes a Q parameter instead of a number
};

NumberWord ReadNumberWord(std::string_view text, std::size_t afterLetter) {
  const WordNumber number = ReadWordNumber(text, SkipBlanks(text, afterLetter));
  const std::size_t end = number.end;
  return {number, end, !number.hasDigits && end < text.size() && (text[end] == 'Q' || text[end] == 'q')};
}

int AxisIndex(char c) {
  switch (c) {
    case 'X': case 'x': return 0;
    case 'Y': case 'y': return 1;
    case 'Z': case 'z': return 2;
    default: return -1;
  }
}

bool FollowedBy(std::string_view text, std::size_t i, std::string_view word) {
  return text.substr(i + 1).starts_with(word);
}

// A "C" that starts an arc block, not the C of CALL, COOL or the like.
bool IsCircleWord(std::string_view text, std::size_t i) {
  if (i + 1 >= text.size()) return true;
  const char next = text[i + 1];
  return next == ' ' || next == '\t' || next == 'D' || next == 'I' || AxisIndex(next) >= 0;
}

// The program's frame: BEGIN PGM, BLK FORM, TOOL DEF/CALL, END PGM.
bool IsFrameWord(std::string_view text, std::size_t i) {
  switch (text[i]) {
    case 'B':
      return FollowedBy(text, i, "EG") || FollowedBy(text, i, "LK") || FollowedBy(text, i, "OO") ||
             FollowedBy(text, i, "ND");
    case 'T': return FollowedBy(text, i, "OO") || FollowedBy(text, i, "ND");
    case 'E': return FollowedBy(text, i, "ND");
    default: return false;
  }
}

// "Q12 = …": a parameter assignment.
bool IsParameterAssignment(std::string_view text, std::size_t i) {
  std::size_t j = i + 1;
  while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
  return j > i + 1 && SkipBlanks(text, j) < text.size() && text[SkipBlanks(text, j)] == '=';
}

MoveKind AfterGCode(MoveKind kind, int code) {
  switch (code) {
    case 0: return kind == MoveKind::Rapid ? MoveKind::Rapid : MoveKind::RapidStart;
    case 1: return kind == MoveKind::Feed ? MoveKind::Feed : MoveKind::FeedStart;
    case 2: return MoveKind::ArcCw;
    case 3: return MoveKind::ArcCcw;
    default: return kind;
  }
}

struct HeidenhainBlock {
  MoveKind kind = MoveKind::None;
  std::optional<std::int32_t> feed;
  std::optional<double> radius;
  bool incremental = false;
  std::array<std::optional<double>, 3> axes;  // X, Y, Z, mm
  Point3 increments;                          // IX, IY, IZ, mm
  unsigned incrementAxes = 0;                 // the axes IX, IY, IZ name (kAxisX …)
  bool negativeFeed = false;                  // an F the reader cannot use
  bool centreMode = false;                    // CC
  bool circle = false;                        // C or CR
  bool byRadius = false;                      // CR
  bool tangential = false;                    // CT
  bool cycleCall = false;                     // M99, M89
};

enum class Scan { Block, Frame, NotInterpreted };

Scan ScanHeidenhainBlock(std::string_view text, const NcReaderState& reader, HeidenhainBlock& b) {
  b.kind = ContinuationOf(reader.modalKind);
  b.incremental = reader.incremental;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsFrameWord(text, i)) return Scan::Frame;
    if (const int axis = AxisIndex(c); axis >= 0) {
      const NumberWord word = ReadNumberWord(text, i + 1);
      if (word.parameter) return Scan::NotInterpreted;
      if (word.number.hasDigits) b.axes[axis] = word.number.value;
      i = word.end;
      continue;
    }
    switch (c) {
      case 'L':
        if (FollowedBy(text, i, "P")) return Scan::NotInterpreted;
        b.kind = ContinuationOf(b.kind);
        if (IsArcKind(b.kind)) b.kind = MoveKind::FeedStart;
        if (b.kind == MoveKind::None) b.kind = MoveKind::RapidStart;
        ++i;
        continue;
      case 'F':
      case 'f':
        if (FollowedBy(text, i, "MAX")) {
          b.kind = IsRapidKind(reader.modalKind) ? MoveKind::Rapid : MoveKind::RapidStart;
          i += 4;
          continue;
        }
        if (FollowedBy(text, i, "N")) return Scan::NotInterpreted;
        if (const NumberWord word = ReadNumberWord(text, i + 1); word.number.hasDigits) {
          if (word.number.value < 0) {
            b.negativeFeed = true;
            i = word.end;
            continue;
          }
          b.feed = IntegerPart(word.number.value);
          if (!IsArcKind(b.kind)) b.kind = b.kind == MoveKind::Feed ? MoveKind::Feed : MoveKind::FeedStart;
          i = word.end;
          continue;
        }
        break;
      case 'G':
        if (const NumberWord word = ReadNumberWord(text, i + 1); word.number.hasDigits) {
          const int code = IntegerPart(word.number.value);
          if (code == 90 || code == 91) b.incremental = code == 91;
          b.kind = AfterGCode(b.kind, code);
          i = word.end;
          continue;
        }
        break;
      case 'R':
        if (const NumberWord word = ReadNumberWord(text, i + 1); word.number.hasDigits) {
          b.radius = word.number.value;
          i = word.end;
          continue;
        }
        break;
      case 'I':
        if (i + 1 < text.size() && AxisIndex(text[i + 1]) >= 0) {
          const NumberWord word = ReadNumberWord(text, i + 2);
          if (word.parameter) return Scan::NotInterpreted;
          double Point3::*const axisOf[3] = {&Point3::x, &Point3::y, &Point3::z};
          const int axis = AxisIndex(text[i + 1]);
          if (word.number.hasDigits) {
            b.increments.*axisOf[axis] += word.number.value;
            b.incrementAxes |= 1u << axis;
          }
          i = word.end;
          continue;
        }
        break;
      case 'D':
        if (FollowedBy(text, i, "R+") || FollowedBy(text, i, "R-")) {
          b.kind = text[i + 2] == '+' ? MoveKind::ArcCcw : MoveKind::ArcCw;
          i += 3;
          continue;
        }
        break;
      case 'C':
        if (FollowedBy(text, i, "YC") || FollowedBy(text, i, "P")) return Scan::NotInterpreted;
        if (FollowedBy(text, i, "C")) {
          b.centreMode = true;
          i += 2;
          continue;
        }
        if (FollowedBy(text, i, "R") || FollowedBy(text, i, "T")) {
          b.circle = true;
          b.byRadius = text[i + 1] == 'R';
          b.tangential = text[i + 1] == 'T';
          i += 2;
          continue;
        }
        b.circle = b.circle || IsCircleWord(text, i);
        break;
      case 'M':
        if (const NumberWord word = ReadNumberWord(text, i + 1); word.number.hasDigits) {
          const int code = IntegerPart(word.number.value);
          if (code == kMachineCoordinates || code == kMachineFixedPoint) return Scan::NotInterpreted;
          b.cycleCall = b.cycleCall || code == kCycleCall || code == kModalCycleCall;
          i = word.end;
          continue;
        }
        break;
      case 'Q':
        if (IsParameterAssignment(text, i)) return Scan::NotInterpreted;
        break;
      default:
        break;
    }
    ++i;
  }
  return Scan::Block;
}

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

// "TOOL CALL 5 Z S3000": the tool's number (none when the tool is called by its name or only
// the speed changes) is the program's tool and length offset, its S the spindle speed, as T
// and S are in ISO.
void ReadToolCall(std::string_view text, LayerSlot& layer) {
  constexpr std::string_view kToolCall = "TOOL CALL";
  const std::size_t call = text.find(kToolCall);
  if (call == std::string_view::npos) return;
  std::size_t i = call + kToolCall.size();
  if (const WordNumber tool = ReadWordNumber(text, SkipBlanks(text, i)); tool.hasDigits) {
    layer.toolNumber = layer.lengthOffset = IntegerPart(tool.value);
    i = tool.end;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '"' || text[i] == '\'') {
      const std::size_t close = text.find(text[i], i + 1);
      if (close == std::string_view::npos) return;
      i = close;
    } else if (text[i] == 'S' && (text[i - 1] == ' ' || text[i - 1] == '\t')) {
      const WordNumber speed = ReadWordNumber(text, SkipBlanks(text, i + 1));
      if (speed.hasDigits && speed.value >= 0) layer.spindle = IntegerPart(speed.value);
      return;
    }
  }
}

// A line of the program's frame: BEGIN PGM states the unit, TOOL CALL the tool and spindle.
void ReadFrameLine(ToolpathDatabase& db, std::string_view text) {
  if (const std::optional<LengthUnit> unit = BeginProgramUnit(text)) NoteStatedUnit(db, *unit);
  if (text.find("BEGIN PGM") != std::string_view::npos) db.reader.programBegun = true;
  ReadToolCall(text, db.layers[db.layers.workLayer]);
}

double InPlaneDistance(Point3 a, Point3 b, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  return std::hypot(a.*axes.first - b.*axes.first, a.*axes.second - b.*axes.second);
}

}  // namespace

LineOutcome ParseHeidenhainLine(ToolpathDatabase& db, std::string_view line) {
  const std::string_view text = line.substr(0, line.find(';'));
  if (text.find('(') != std::string_view::npos) return LineOutcome::Skipped;
  if (IsBlankText(text)) return LineOutcome::NoRecord;

  NcReaderState& reader = db.reader;
  HeidenhainBlock b;
  switch (ScanHeidenhainBlock(text, reader, b)) {
    case Scan::Frame:
      ReadFrameLine(db, text);
      return LineOutcome::NoRecord;
    case Scan::NotInterpreted: return LineOutcome::Skipped;
    case Scan::Block: break;
  }

  Point3 start = reader.position;
  Point3 end = start;
  double Point3::*const axisOf[3] = {&Point3::x, &Point3::y, &Point3::z};
  unsigned named = 0;
  for (unsigned a = 0; a < 3; ++a) {
    if (!b.axes[a]) continue;
    end.*axisOf[a] = b.incremental ? start.*axisOf[a] + *b.axes[a] : *b.axes[a];
    named |= 1u << a;
  }
  end = end + b.increments;
  if (b.negativeFeed) ++reader.droppedWords;

  if (b.centreMode) {
    // The pole: its coordinates stand where the axis words put them, the others stay the tool's.
    reader.circleCentre = end;
    reader.radius = InPlaneDistance(start, end, db.plane);
    return LineOutcome::NoRecord;
  }
  if (BeyondCoordinateLimit(end)) return LineOutcome::OutOfReach;
  if (reader.unstatedAxes) [[unlikely]] {
    const unsigned absolute = b.incremental ? 0 : named & ~b.incrementAxes;
    NoteStatedAxes(db, absolute, (named | b.incrementAxes) & ~absolute, end, start);
  }
  if (b.feed) reader.feed = *b.feed;
  if (b.radius) reader.radius = *b.radius;
  reader.incremental = b.incremental;
  if (b.tangential) {
    reader.position = end;
    return LineOutcome::Skipped;
  }

  Point3 offset;
  if (IsArcKind(b.kind)) {
    // Only a C or CR word makes an arc; a line without one (M09 after an arc) does not move.
    if (!b.circle) return LineOutcome::NoRecord;
    if (!b.byRadius && reader.circleCentre) {
      offset = *reader.circleCentre - start;
    } else if (b.byRadius ? reader.radius != 0 : reader.radius > 0) {
      offset = RadiusCentreOffset(db, start, end, reader.radius, b.kind);
    } else {
      b.kind = MoveKind::FeedStart;
    }
  }
  reader.modalKind = b.kind;
  const LineOutcome outcome = FinishBlock(db, end, offset, b.kind, end != start || IsArcKind(b.kind));
  // The cycle a block calls is not run: its move is read, and the call is counted as not interpreted.
  if (!b.cycleCall) return outcome;
  return outcome == LineOutcome::Record ? LineOutcome::RecordBesideSkipped : LineOutcome::Skipped;
}

}  // namespace fendo
