// The fixed NC writer: the work buffer (or a list of layers) as an ISO or Heidenhain program.
//
// A program is written as header, comment, start position, tool block, one line per motion
// record that moves or changes the feed, and footer. Words are modal: an axis is written only
// when its value differs from the last written position, a feed only when it differs from the
// last written feed (reset after every rapid move, so that the first cut writes its F), G00 and
// G02/G03 and the plane word only when they change. Numbers are written with three decimals,
// exactly as printf writes them in the C locale.
//
// Incremental output writes cutting moves as G91 increments rounded to what is written and
// moves on from the rounded position, so that rounding never accumulates; rapid moves are
// written absolute after a G90.
//
// Arcs keep their geometry: the axis normal to the arc's plane is written when it changes (a
// helix), an arc over half a turn is written with a negative R, a full circle always with its
// centre offsets (no R describes it), and the Heidenhain form writes XY arcs as CC + C and
// arcs in other planes as chords within the reader's tolerance.
#include "output/nc_writer.h"

#include <array>
#include <cmath>
#include <string_view>

#include "core/arc_rule.h"
#include "core/geometry.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "core/user_prompts.h"
#include "output/format_increment.h"
#include "output/number_text.h"
#include "output/output_file.h"
#include "output/source_start_end.h"
#include "output/write_progress.h"

namespace fendo {
namespace {

enum class Mode { Iso = 1, Heidenhain = 2 };

constexpr double kStartValue = 10000;             // mm, last position before anything is written
constexpr int kFeedAfterRapid = 50000;            // mm/min, no real feed: the next cut writes its F
// Heidenhain positioning moves are written with FMAX, the control's rapid: a feed word such as
// F6000 would make them feed moves at 6 m/min, and read back they would be cuts.
constexpr std::string_view kHeidenhainRapid = "FMAX";
constexpr double kRapidRate = 5000;               // mm/min, rapid moves in the time estimate
constexpr double kDiagonalStep = 0.001;           // mm; smaller steps do not make a rapid diagonal
constexpr int kLastSequenceNumber = 9999;         // numbering runs 1 … 10000, then 1 again
constexpr double kRadiusAllowance = 0.0005;       // mm added to R: rounding never makes it shorter
constexpr double kSmallestOffset = 0.001;         // mm; smaller centre offsets are not written
constexpr double kHalfTurn = 180;                 // degrees
constexpr double kFullTurn = 360;                 // degrees
constexpr int kDecimals = 3;
constexpr int kIncrementOffsetDecimals = 6;       // incremental I/J/K are written with "%f"

constexpr std::string_view kDiagonalFound = " 사선으로 이동 되는 급속이송이 발견 되었습니다!!!.";
constexpr std::string_view kStopQuestion = " 중지 하겠습니까?";
constexpr std::string_view kFendoCaption = "Fendo message";

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::string_view PlaneWord(ArcPlane plane) {
  switch (plane) {
    case ArcPlane::XY: return "G17";
    case ArcPlane::ZX: return "G18";
    case ArcPlane::YZ: return "G19";
  }
  return "";
}

class NcDataWriter {
 public:
  NcDataWriter(const NcOutputOptions& options, double chordTolerance, OutputFile& file, UserPrompts& prompts)
      : options_(options),
        mode_(options.heidenhain ? Mode::Heidenhain : Mode::Iso),
        chordTolerance_(chordTolerance),
        file_(file),
        prompts_(prompts) {}

  NcOutputOptions& options() { return options_; }
  void SetExtents(const Extents& extents) { extents_ = extents; }
  void ResetPosition(int feed) {
    last_ = {kStartValue, kStartValue, kStartValue};
    positioned_ = false;
    lastFeed_ = feed;
  }
  void ResetRun() {
    lastKind_ = MoveKind::None;
    lastPlane_.reset();
  }
  void set_lastFeed(int feed) { lastFeed_ = feed; }
  // After a rapid move the next cut writes its feed; in the layer output it need not when the
  // rapid record carries the feed last written, which the machine still holds.
  void FeedAfterRapid(bool fromRapid, int rapidFeed) {
    lastFeed_ = fromRapid && writtenFeed_ == rapidFeed ? rapidFeed : kFeedAfterRapid;
  }
  MoveKind lastKind() const { return lastKind_; }
  std::optional<ArcPlane> lastPlane() const { return lastPlane_; }
  WriteResult& result() { return result_; }

  // The end of a written motion record: the position the writer left in the cursor becomes
  // the last position.
  void Moved(const CursorRecord& cursor) {
    last_ = cursor.position();
    positioned_ = true;
    lastKind_ = cursor.kind;
  }

  void WriteNcLine(std::string_view text) {
    if (mode_ == Mode::Heidenhain || options_.sequenceNumbers) {
      ++lineCounter_;
      if (mode_ == Mode::Iso) file_.Write("N");
      std::string& number = scratch_;
      number.clear();
      AppendInteger(number, lineCounter_);
      file_.Write(number);
      if (lineCounter_ > kLastSequenceNumber) lineCounter_ = 0;
    }
    file_.Write(text);
    file_.Write("\n");
  }

  void WriteHeader() {
    g91Active_ = false;
    if (options_.useSourceStartEnd) source_ = ExtractSourceStartEnd(options_.sourcePath);
    if (UsesSourceStart()) {
      if (mode_ == Mode::Iso) {
        file_.Write(source_.start + "\n");
      } else {
        WriteNcLine(source_.start);
      }
      return;
    }
    if (mode_ == Mode::Iso) {
      file_.Write("%\n");
      if (options_.programNumberOn) file_.Write("O" + std::to_string(options_.programNumber) + "\n");
      return;
    }
    WriteNcLine(" BEGIN PGM " + std::to_string(options_.programNumber) + " MM");
    WriteNcLine(" BLK FORM 0.1 Z X+0.000 Y+0.000 Z-100.000");
    WriteNcLine(" BLK FORM 0.2 X+100.000 Y+100.000 Z+0.000");
  }

  void WriteComment() {
    if (mode_ != Mode::Iso) return;
    const std::string comment = Trimmed(options_.comment);
    if (comment.empty()) return;
    std::string block = "(";
    std::string_view rest = comment;
    for (std::size_t feed = rest.find('\n'); feed != std::string_view::npos; feed = rest.find('\n')) {
      block.append(Trimmed(rest.substr(0, feed))).append(")\r\n(");
      rest.remove_prefix(feed + 1);
    }
    block.append(Trimmed(rest)).append(")\n");
    file_.Write(block);
  }

  void WriteStartPosition(const CursorRecord& cursor) {
    retractZ_ = cursor.z;
    if (UsesSourceStart()) return;
    std::string line = mode_ == Mode::Iso ? "G90G00G17" : "L";
    AppendAxis(line, 'X', cursor.x);
    AppendAxis(line, 'Y', cursor.y);
    AppendAxis(line, 'Z', cursor.z);
    if (mode_ == Mode::Heidenhain) {
      line += kHeidenhainRapid;
      lastFeed_ = kFeedAfterRapid;
    }
    WriteNcLine(line);
  }

  void WriteToolBlock(const CursorRecord& cursor) {
    if (mode_ == Mode::Heidenhain) {
      if (!options_.toolChange) return;
      retractZ_ = cursor.z;
      const std::string tool = std::to_string(options_.toolNumber);
      WriteNcLine("TOOL DEF " + tool + " L+0.000 R+0.000");
      WriteNcLine("TOOL CALL " + tool + " Z S" + std::to_string(options_.spindleSpeed));
      std::string line = "L";
      AppendAxis(line, 'Z', retractZ_);
      WriteNcLine(line.append(kHeidenhainRapid));
      lastFeed_ = kFeedAfterRapid;
      WriteNcLine("M03M08");
      return;
    }
    if (options_.toolChange) {
      std::string line;
      AppendAxis(line, 'Z', retractZ_);
      WriteNcLine(line);
      WriteNcLine("G49");
      WriteNcLine("G28G91Z0.0T" + std::to_string(options_.toolNumber) + "M06");
      WriteNcLine("G90");
      line = "G43";
      AppendAxis(line, 'Z', retractZ_);
      line.append("H").append(std::to_string(options_.lengthOffset));
      WriteNcLine(line);
      line = "G00";
      AppendAxis(line, 'X', cursor.x);
      AppendAxis(line, 'Y', cursor.y);
      WriteNcLine(line);
    }
    if (options_.spindleSpeed != 0) WriteNcLine("S" + std::to_string(options_.spindleSpeed) + "M03");
  }

  // A RapidStart record. False when the user stops at the diagonal-rapid question.
  bool WriteRapidStart(CursorRecord& cursor) {
    if (!ConfirmRapid(cursor.position())) return false;
    std::string& line = NewLine();
    if (mode_ == Mode::Heidenhain) {
      lastFeed_ = kFeedAfterRapid;
      line = "L";
      const bool moved = AppendChangedAxes(line, cursor.position());
      line += kHeidenhainRapid;
      WriteNcLine(moved ? std::string_view(line) : std::string_view(line).substr(1));
      if (moved) Accumulate(cursor);
      return true;
    }
    if (options_.incremental && g91Active_) {
      line = "G90";
      g91Active_ = false;
    }
    line += "G00";
    if (AppendChangedAxes(line, cursor.position())) Accumulate(cursor);
    WriteNcLine(line);
    return true;
  }

  // A Rapid record (G00 in force). False when the user stops at the diagonal-rapid question.
  bool WriteRapid(CursorRecord& cursor) {
    if (!ConfirmRapid(cursor.position())) return false;
    if (cursor.position() == last_) return true;
    std::string& line = NewLine();
    if (mode_ == Mode::Heidenhain) {
      lastFeed_ = kFeedAfterRapid;
      line = "L";
    } else if (options_.incremental && g91Active_) {
      line = "G90";
      g91Active_ = false;
    }
    AppendChangedAxes(line, cursor.position());
    if (mode_ == Mode::Heidenhain) line += kHeidenhainRapid;
    WriteNcLine(line);
    Accumulate(cursor);
    return true;
  }

  // A FeedStart (starting) or Feed record.
  void WriteLinear(CursorRecord& cursor, bool starting) {
    std::string& line = NewLine();
    if (mode_ == Mode::Heidenhain) {
      line = "L";
      const bool moved = AppendChangedAxes(line, cursor.position());
      const bool feedChanged = cursor.feed != lastFeed_;
      if (!moved && !feedChanged) {
        if (starting) {
          writtenFeed_ = cursor.feed;
          WriteNcLine("F" + std::to_string(cursor.feed));
        }
        return;
      }
      if (starting || feedChanged) AppendFeed(line, cursor.feed);
      lastFeed_ = cursor.feed;
      WriteNcLine(line);
      if (moved) Accumulate(cursor);
      return;
    }
    if (starting) line = "G01";
    bool moved;
    if (options_.incremental) {
      const std::array<std::string, 3> increments = RoundIncrements(cursor);
      moved = AppendIncrements(line, increments);
    } else {
      moved = AppendChangedAxes(line, cursor.position());
    }
    const bool feedChanged = cursor.feed != lastFeed_;
    if (feedChanged) AppendFeed(line, cursor.feed);
    // A Feed record that neither moves nor changes the feed writes nothing; a FeedStart writes
    // its G01 all the same.
    if (!starting && !moved && !feedChanged) return;
    // G91 goes with the first line written in incremental mode: a line left out must not
    // leave the machine thinking it was switched.
    if (options_.incremental && !g91Active_) {
      line.insert(0, "G91");
      g91Active_ = true;
    }
    WriteNcLine(line);
    if (moved) Accumulate(cursor);
  }

  // An arc end record with its centre offsets; `continued` when it follows an arc of the same
  // direction and plane (G02/G03 and the plane word are modal then).
  void WriteArc(CursorRecord& cursor, Point3 offsets, ArcPlane plane, bool continued) {
    const Arc arc = MeasureArc(last_, cursor.position(), offsets, cursor.kind, plane);
    if (mode_ == Mode::Heidenhain) {
      WriteHeidenhainArc(cursor, arc, continued);
    } else {
      WriteIsoArc(cursor, arc, continued);
    }
    lastPlane_ = plane;
  }

  void WriteFooter(const CursorRecord& cursor) {
    if (UsesSourceEnd()) {
      file_.Write(source_.end + "\n");
      return;
    }
    if (mode_ == Mode::Heidenhain) {
      WriteNcLine(" END PGM " + std::to_string(options_.programNumber) + " MM");
      return;
    }
    retractZ_ = std::max(retractZ_, cursor.z);
    std::string line = "G00";
    AppendAxis(line, 'Z', retractZ_);
    WriteNcLine(line);
    WriteNcLine("M09");
    WriteNcLine("M30");
    WriteNcLine("%");
    if (!options_.machiningInfo) return;
    const auto extentLine = [this](char axis, double min, double max) {
      std::string text = "(MIN ";
      text.append(1, axis).append(" = ");
      AppendFixed(text, min, 6);
      text.append("      MAX ").append(1, axis).append(" = ");
      AppendFixed(text, max, 6);
      WriteNcLine(text + " )");
    };
    extentLine('X', extents_.min.x, extents_.max.x);
    extentLine('Y', extents_.min.y, extents_.max.y);
    extentLine('Z', extents_.min.z, extents_.max.z);
    std::string time = "(CUTTING TIME = ";
    AppendFixed(time, result_.cuttingTime, 2);
    WriteNcLine(time + " MIN)");
  }

 private:
  // The line being built, empty: one buffer for every line, so writing allocates nothing.
  std::string& NewLine() {
    line_.clear();
    return line_;
  }

  bool UsesSourceStart() const { return options_.useSourceStartEnd && !source_.start.empty(); }
  bool UsesSourceEnd() const { return options_.useSourceStartEnd && !source_.end.empty(); }

  static void AppendAxis(std::string& line, char axis, double value) {
    line += axis;
    AppendFixed<kDecimals>(line, value);
  }
  void AppendFeed(std::string& line, int feed) {
    writtenFeed_ = feed;
    line += 'F';
    AppendInteger(line, feed);
  }

  // The words of the axes whose value differs from the last written position, X, Y, Z in
  // that order; true when any did.
  bool AppendChangedAxes(std::string& line, Point3 p) const {
    const std::size_t before = line.size();
    if (p.x != last_.x) AppendAxis(line, 'X', p.x);
    if (p.y != last_.y) AppendAxis(line, 'Y', p.y);
    if (p.z != last_.z) AppendAxis(line, 'Z', p.z);
    return line.size() != before;
  }

  // The increments from the last written position to the cursor, rounded to what is written;
  // the cursor moves to where the rounded increments lead.
  std::array<std::string, 3> RoundIncrements(CursorRecord& cursor) const {
    std::array<double, 3> values = {cursor.x - last_.x, cursor.y - last_.y, cursor.z - last_.z};
    std::array<std::string, 3> texts;
    FormatIncrement(values, texts, kDecimals);
    cursor.SetPosition({last_.x + values[0], last_.y + values[1], last_.z + values[2]});
    incrementValues_ = values;
    return texts;
  }

  bool AppendIncrements(std::string& line, const std::array<std::string, 3>& texts) const {
    static constexpr std::array<char, 3> kAxes = {'X', 'Y', 'Z'};
    bool any = false;
    for (std::size_t k = 0; k < kAxes.size(); ++k) {
      if (incrementValues_[k] == 0) continue;
      line.append(1, kAxes[k]).append(texts[k]);
      any = true;
    }
    return any;
  }

  // The diagonal-rapid question, for every rapid move after the first while it is asked: a
  // rapid that moves in Z and across at once may run the tool into the part. False when the
  // user stops the run; going on stops the question for the rest of the run.
  bool ConfirmRapid(Point3 p) {
    if (!options_.diagonalRapidCheck || !positioned_) return true;
    const Point3 d = last_ - p;
    const bool diagonal = std::fabs(d.z) >= kDiagonalStep &&
                          (std::fabs(d.x) >= kDiagonalStep || std::fabs(d.y) >= kDiagonalStep);
    if (!diagonal) return true;
    prompts_.Message(kDiagonalFound, kFendoCaption, PromptIcon::Information);
    if (prompts_.AskOkCancel(kStopQuestion, kFendoCaption, PromptIcon::Information)) return false;
    options_.diagonalRapidCheck = false;
    return true;
  }

  // Adds a written move to the time and length estimate. The move from the start values is no
  // move of the machine, and a move without a feed takes no estimated time.
  void Accumulate(const CursorRecord& cursor) {
    if (!positioned_ || cursor.feed == 0) return;
    const double d = Length(cursor.position() - last_);
    if (IsRapidKind(cursor.kind)) {
      result_.cuttingTime += d / kRapidRate;
      result_.rapidLength += d;
    } else {
      result_.cuttingTime += d / cursor.feed;
      result_.feedLength += d;
    }
  }

  void AppendRadiusOrOffsets(std::string& line, const Arc& arc, Point3 offsets, int offsetDecimals) {
    // R describes an arc only up to a full turn, and beyond half a turn only with its sign.
    if (options_.ijkToR && arc.sweep < kFullTurn) {
      line += 'R';
      const double r = Length(offsets) + kRadiusAllowance;
      AppendFixed(line, arc.sweep > kHalfTurn ? -r : r, kDecimals);
      return;
    }
    const std::array<std::pair<char, double>, 3> words = {{{'I', offsets.x}, {'J', offsets.y}, {'K', offsets.z}}};
    for (const auto& [letter, value] : words) {
      if (std::fabs(value) < kSmallestOffset) continue;
      line += letter;
      AppendFixed(line, value, offsetDecimals);
    }
  }

  void WriteIsoArc(CursorRecord& cursor, const Arc& arc, bool continued) {
    const Point3 offsets = arc.centre - arc.start;
    std::string& line = NewLine();
    const std::array<std::string, 3> increments =
        options_.incremental ? RoundIncrements(cursor) : std::array<std::string, 3>{};
    if (options_.incremental && !g91Active_) {
      line = "G91";
      g91Active_ = true;
    }
    if (!continued) {
      if (arc.plane != lastPlane_) line += PlaneWord(arc.plane);
      line += cursor.kind == MoveKind::ArcCw ? "G02" : "G03";
    }
    const bool moved = options_.incremental ? AppendIncrements(line, increments)
                                            : AppendChangedAxes(line, cursor.position());
    AppendRadiusOrOffsets(line, arc, offsets, options_.incremental ? kIncrementOffsetDecimals : kDecimals);
    if (cursor.feed != lastFeed_) AppendFeed(line, cursor.feed);
    WriteNcLine(line);
    if (moved) Accumulate(cursor);
  }

  void WriteHeidenhainArc(CursorRecord& cursor, const Arc& arc, bool continued) {
    const bool feedChanged = cursor.feed != lastFeed_;
    lastFeed_ = cursor.feed;
    if (arc.plane != ArcPlane::XY) {
      // The Heidenhain form knows circles about a pole in the working plane only: arcs in the
      // other planes are written as chords within the reader's tolerance.
      const int chords = ChordCount(arc, chordTolerance_);
      for (int k = 1; k <= chords; ++k) {
        std::string line = "L";
        const Point3 p = ArcChordPoint(arc, k, chords);
        AppendChangedAxes(line, p);
        if (k == 1 && (!continued || feedChanged)) AppendFeed(line, cursor.feed);
        if (line.size() > 1) WriteNcLine(line);
        last_ = p;
      }
      last_ = arc.start;
      Accumulate(cursor);
      return;
    }
    std::string pole = "CC";
    AppendAxis(pole, 'X', arc.centre.x);
    AppendAxis(pole, 'Y', arc.centre.y);
    WriteNcLine(pole);
    std::string line = "C";
    AppendChangedAxes(line, cursor.position());
    line += cursor.kind == MoveKind::ArcCw ? "DR-" : "DR+";
    if (!continued || feedChanged) AppendFeed(line, cursor.feed);
    WriteNcLine(line);
    Accumulate(cursor);
  }

  NcOutputOptions options_;
  Mode mode_;
  double chordTolerance_;
  OutputFile& file_;
  UserPrompts& prompts_;
  std::string line_;
  std::string scratch_;
  int lineCounter_ = 0;
  bool g91Active_ = false;
  Point3 last_{kStartValue, kStartValue, kStartValue};
  bool positioned_ = false;  // a motion record was written: last_ is a real position
  int lastFeed_ = kFeedAfterRapid;
  std::optional<int> writtenFeed_;  // the F the machine holds: the last one written
  MoveKind lastKind_ = MoveKind::None;
  std::optional<ArcPlane> lastPlane_;
  double retractZ_ = 0;
  mutable std::array<double, 3> incrementValues_{};
  Extents extents_;
  SourceStartEnd source_;
  WriteResult result_;
};

// The first motion record of `count` records, or a zero record when there is none.
template <typename RecordAt>
CursorRecord FirstMotion(int count, RecordAt at) {
  for (int i = 0; i < count; ++i) {
    if (IsMotionKind(at(i).kind)) return ToCursor(at(i));
  }
  return {};
}

// Writes records 0 … count−1 (`at(i)` gives record i) and leaves in `last` the last motion
// record as written. After a rapid move the next cut writes its feed, or (for the layer output)
// the feed is taken from the rapid record when it is the one last written. False when the user
// stopped the run.
template <typename RecordAt>
bool WriteRecords(NcDataWriter& writer, int count, RecordAt at, bool feedFromRapids, CursorRecord& last,
                  WriteProgress& progress) {
  for (int i = 0; i < count; ++i) {
    progress.Step();
    CursorRecord cursor = ToCursor(at(i));
    switch (cursor.kind) {
      case MoveKind::RapidStart:
      case MoveKind::Rapid: {
        const bool written = cursor.kind == MoveKind::RapidStart ? writer.WriteRapidStart(cursor)
                                                                 : writer.WriteRapid(cursor);
        if (!written) return false;
        writer.FeedAfterRapid(feedFromRapids, cursor.feed);
        break;
      }
      case MoveKind::FeedStart:
      case MoveKind::Feed:
        writer.WriteLinear(cursor, cursor.kind == MoveKind::FeedStart);
        writer.set_lastFeed(cursor.feed);
        break;
      case MoveKind::ArcCw:
      case MoveKind::ArcCcw: {
        const ToolpathRecord centre = i + 1 < count ? at(i + 1) : ToolpathRecord{};
        const ArcPlane plane = PlaneOfCentreKind(centre.kind);
        const bool continued = writer.lastKind() == cursor.kind && writer.lastPlane() == plane;
        writer.WriteArc(cursor, PositionOf(centre), plane, continued);
        writer.set_lastFeed(cursor.feed);
        break;
      }
      default:
        continue;
    }
    writer.Moved(cursor);
    last = cursor;
  }
  return true;
}

WriteResult Finish(NcDataWriter& writer, OutputFile& file, bool completed) {
  WriteResult result = writer.result();
  const FileStatus closed = file.Close();
  if (!closed) {
    result.status = WriteStatus::WriteFailed;
    result.reason = closed.reason;
  } else if (!completed) {
    result.status = WriteStatus::Stopped;
  }
  return result;
}

WriteResult CannotCreate(const OutputFile& file) {
  WriteResult result;
  result.status = WriteStatus::CannotCreate;
  result.reason = file.status().reason;
  return result;
}

}  // namespace

WriteResult WriteNcProgram(ToolpathDatabase& db, const NcOutputOptions& options, UserPrompts& prompts,
                           Progress* progress) {
  LayerSlot& layer = db.layers[db.layers.workLayer];
  layer.layerName = options.outputPath;
  db.options.heidenhainOutChk = options.heidenhain;

  OutputFile file(options.outputPath);
  if (!file.ok()) return CannotCreate(file);
  NcDataWriter writer(options, db.chordTolerance, file, prompts);
  if (options.machiningInfo) {
    ComputeStatistics(db);
    writer.SetExtents(db.statistics.feedExtents);
  }
  const auto at = [&db](int i) { return *db.RecordAt(i); };
  const CursorRecord first = FirstMotion(db.recordCount, at);
  writer.WriteHeader();
  writer.WriteComment();
  writer.WriteStartPosition(first);
  writer.WriteToolBlock(first);
  writer.ResetPosition(kFeedAfterRapid);
  writer.ResetRun();
  CursorRecord last = first;
  WriteProgress written(progress, db.recordCount);
  const bool completed = WriteRecords(writer, db.recordCount, at, false, last, written);
  if (completed) writer.WriteFooter(last);
  return Finish(writer, file, completed);
}

WriteResult WriteLayerNcProgram(ToolpathDatabase& db, const std::vector<int>& layers, const NcOutputOptions& options,
                                UserPrompts& prompts, Progress* progress) {
  if (layers.empty()) return {};
  db.SaveToLayer(db.layers.workLayer);
  OutputFile file(options.outputPath);
  if (!file.ok()) return CannotCreate(file);
  NcDataWriter writer(options, db.chordTolerance, file, prompts);

  // A slot's records as the work buffer would give them: out-of-range ones as None records.
  const auto slotRecords = [&db](int slot) {
    const RecordBlock& block = db.layers[slot].points;
    return [records = block.data()](int i) {
      const ToolpathRecord& r = records[i];
      return ToolpathDatabase::IsOutOfRange(r) ? ToolpathRecord{} : r;
    };
  };
  const auto firstMotionOf = [&](int slot) {
    return FirstMotion(db.layers[slot].pointCount(), slotRecords(slot));
  };

  std::int64_t total = 0;
  for (int slot : layers) total += db.layers[slot].pointCount();
  WriteProgress written(progress, total);

  writer.WriteHeader();
  writer.ResetPosition(0);
  CursorRecord last = firstMotionOf(layers.front());
  for (int slot : layers) {
    const LayerSlot& layer = db.layers[slot];
    NcOutputOptions& run = writer.options();
    run.comment = layer.comment;
    run.toolChange = layer.toolNumber != 0;
    run.toolNumber = layer.toolNumber;
    run.lengthOffset = layer.lengthOffset;
    if (layer.spindle != 0) run.spindleSpeed = layer.spindle;
    const CursorRecord first = firstMotionOf(slot);
    writer.WriteComment();
    writer.WriteStartPosition(first);
    writer.WriteToolBlock(first);
    writer.ResetRun();
    if (!WriteRecords(writer, layer.pointCount(), slotRecords(slot), true, last, written)) {
      return Finish(writer, file, false);
    }
  }
  writer.WriteFooter(last);
  return Finish(writer, file, true);
}

std::vector<int> ParseLayerList(std::string_view text) {
  constexpr std::size_t kMostEntries = LayerTable::kSlots;
  std::vector<int> layers;
  const auto add = [&layers](long long slot) {
    if (layers.size() < kMostEntries && LayerTable::IsSlot(static_cast<int>(slot))) layers.push_back(static_cast<int>(slot));
  };
  std::size_t i = 0;
  while (i < text.size()) {
    i = text.find_first_not_of(" \t\r\n", i);
    if (i == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t\r\n", i), text.size());
    const std::string_view token = text.substr(i, end - i);
    i = end;
    const std::size_t dash = token.find('-');
    const auto number = [](std::string_view digits) {
      long long value = 0;
      for (std::size_t k = 0; k < digits.size() && value < LayerTable::kSlots && std::isdigit(static_cast<unsigned char>(digits[k])); ++k) {
        value = value * 10 + (digits[k] - '0');
      }
      return value;
    };
    if (dash == std::string_view::npos) {
      add(number(token));
      continue;
    }
    const long long first = number(token.substr(0, dash));
    const long long lastLayer = number(token.substr(dash + 1));
    for (long long slot = first; slot <= lastLayer && layers.size() < kMostEntries; ++slot) add(slot);
  }
  return layers;
}

}  // namespace fendo
