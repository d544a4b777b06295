// The ISO dialect (G-code) of the fixed NC writer.
//
// Header "%", an optional O number and the program's unit (G20/G21, when it states one), the
// comment in parentheses, a G90G00G17 move to the first point, then, as the options ask, the tool change (retract, G49, the change through G28,
// G43 with the length offset) and the spindle start. Motion words are modal: G00 and G02/G03 and the plane
// word only when they change, F only when the feed does. Arcs are written by R when the options
// ask for it (negative beyond half a turn), else by their centre offsets. No R names a full
// circle, and near half a turn the rounded R moves the arc: those arcs are written by their
// centre offsets whatever the options say. The footer retracts to the highest of the start and
// the last point, stops coolant and program, and may add the extents and the cutting time.
//
// Incremental output writes cutting moves as G91 increments rounded to what is written and
// moves on from the rounded position, so that rounding never accumulates; rapid moves are
// written absolute after a G90.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/decimal.h"
#include "output/format_increment.h"
#include "output/nc_dialect_writer.h"
#include "output/arc_fidelity.h"

namespace fendo {
namespace {

constexpr double kHalfTurn = 180;            // degrees
constexpr int kFineDecimals = 6;    // incremental I/J/K are written with "%f"
constexpr double kFinePlace = 1e-6;  // the last digit of kFineDecimals
constexpr int kExtentDecimals = 6;
constexpr int kTimeDecimals = 2;

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// The unit's own block, G20 or G21, first of the program so that the control reads every
// number after it in that unit. A program that states no unit leaves it to the machine.
std::string_view UnitWord(LengthUnit unit) { return unit == LengthUnit::Inch ? "G20" : "G21"; }

std::string_view PlaneWord(ArcPlane plane) {
  switch (plane) {
    case ArcPlane::XY: return "G17";
    case ArcPlane::ZX: return "G18";
    case ArcPlane::YZ: return "G19";
  }
  return "";
}

class IsoWriter final : public NcDialectWriter {
 public:
  IsoWriter(const NcOutputOptions& options, OutputFile& file, UserPrompts& prompts)
      : NcDialectWriter(options, file, prompts, {.on = options.sequenceNumbers, .prefix = "N"}) {}

  void WriteHeader() override {
    state_.g91Active = false;
    LoadSourceStartEnd();
    if (UsesSourceStart()) {
      file_.Write(source_.start + "\n");
      return;
    }
    file_.Write("%\n");
    if (options_.programNumberOn) {
      file_.Write(std::string("O").append(std::to_string(options_.programNumber)).append("\n"));
    }
    if (options_.unit) WriteNcLine(UnitWord(*options_.unit));
  }

  void WriteComment() override {
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

  void WriteStartPosition(const CursorRecord& cursor) override {
    state_.retractZ = cursor.z;
    if (UsesSourceStart()) return;
    std::string line = "G90G00G17";
    AppendPosition(line, cursor.position());
    WriteNcLine(line);
    // The line's G90 ends the increments of a layer written before; the next cut states G91
    // again, measured from here.
    state_.g91Active = false;
    state_.startLine = AsWritten(cursor.position());
  }

  void WriteToolBlock(const CursorRecord& cursor) override {
    if (options_.toolChange) {
      std::string line;
      AppendAxis(line, 'Z', state_.retractZ);
      WriteNcLine(line);
      WriteNcLine("G49");
      WriteNcLine("G28G91Z0.0T" + std::to_string(options_.toolNumber) + "M06");
      WriteNcLine("G90");
      line = "G43";
      AppendAxis(line, 'Z', state_.retractZ);
      line.append("H").append(std::to_string(options_.lengthOffset));
      WriteNcLine(line);
      line = "G00";
      AppendAxis(line, 'X', cursor.x);
      AppendAxis(line, 'Y', cursor.y);
      WriteNcLine(line);
    }
    if (options_.spindleSpeed != 0) {
      WriteNcLine(std::string("S").append(std::to_string(options_.spindleSpeed)).append("M03"));
    }
  }

  bool WriteRapidStart(CursorRecord& cursor) override {
    if (!ConfirmRapid(cursor.position())) return false;
    std::string& line = NewLine();
    LeaveIncremental(line);
    line += "G00";
    if (AppendRapidAxes(line, cursor)) Accumulate(cursor);
    WriteNcLine(line);
    return true;
  }

  bool WriteRapid(CursorRecord& cursor) override {
    if (!ConfirmRapid(cursor.position())) return false;
    if (cursor.position() == state_.last) return true;
    std::string& line = NewLine();
    LeaveIncremental(line);
    AppendRapidAxes(line, cursor);
    WriteNcLine(line);
    Accumulate(cursor);
    return true;
  }

  void WriteLinear(CursorRecord& cursor, bool starting) override {
    std::string& line = NewLine();
    if (starting) line = "G01";
    bool moved;
    if (options_.incremental) {
      const std::array<std::string, 3> increments = RoundIncrements(cursor);
      moved = AppendIncrements(line, increments);
    } else {
      moved = AppendChangedAxes(line, cursor.position());
    }
    const bool feedChanged = cursor.feed != state_.lastFeed;
    if (feedChanged) AppendFeed(line, cursor.feed);
    // A Feed record that neither moves nor changes the feed writes nothing; a FeedStart writes
    // its G01 all the same.
    if (!starting && !moved && !feedChanged) return;
    // G91 goes with the first line written in incremental mode: a line left out must not
    // leave the machine thinking it was switched.
    if (options_.incremental && !state_.g91Active) {
      line.insert(0, "G91");
      state_.g91Active = true;
    }
    WriteNcLine(line);
    if (moved) Accumulate(cursor);
  }

  void WriteFooter(const CursorRecord& cursor) override {
    if (UsesSourceEnd()) {
      // The source's end part was written for absolute positions.
      if (options_.incremental && state_.g91Active) {
        WriteNcLine("G90");
        state_.g91Active = false;
      }
      WriteSourceEnd();
      return;
    }
    state_.retractZ = std::max(state_.retractZ, cursor.z);
    // After incremental cuts the retract names an absolute height: without its G90 a control
    // would read it as a further increment.
    std::string line;
    LeaveIncremental(line);
    line += "G00";
    AppendAxis(line, 'Z', state_.retractZ);
    WriteNcLine(line);
    WriteNcLine("M09");
    WriteNcLine("M30");
    WriteNcLine("%");
    if (options_.machiningInfo) WriteMachiningInfo();
  }

 private:
  // The I, J and K words of an arc: empty where no word is written.
  struct OffsetWords {
    std::array<std::string, 3> texts;

    Point3 AsRead() const {
      const auto read = [](const std::string& text) { return text.empty() ? 0.0 : ParseDecimalPrefix(text).value; };
      return {read(texts[0]), read(texts[1]), read(texts[2])};
    }
  };

  void WriteMeasuredArc(CursorRecord& cursor, const Arc& arc, bool continued, ArcForm form) override {
    WriteArcInPieces(cursor, arc, continued, form, kMostArcHalvings);
  }

  // An arc whose every form moves it by more than one last digit (a long sweep over a short
  // chord: the rounding of its ends turns the chord's normal, and the centre on it, far) is
  // written in halves: over a longer chord the same rounding moves the centre less.
  void WriteArcInPieces(CursorRecord& cursor, const Arc& arc, bool continued, ArcForm form, int halvings) {
    std::string& line = NewLine();
    const std::array<std::string, 3> increments =
        options_.incremental ? RoundIncrements(cursor) : std::array<std::string, 3>{};
    const bool fits = ChooseArcWords(arc, cursor.position(), form);
    if (!fits && halvings > 0) {
      WriteHalves(cursor, arc, continued, form, halvings - 1);
      return;
    }
    if (options_.incremental && !state_.g91Active) {
      line = "G91";
      state_.g91Active = true;
    }
    if (!continued) {
      if (arc.plane != state_.lastPlane) line += PlaneWord(arc.plane);
      line += cursor.kind == MoveKind::ArcCw ? "G02" : "G03";
    }
    const bool moved = options_.incremental ? AppendIncrements(line, increments)
                                            : AppendChangedAxes(line, cursor.position());
    line += arcWords_;
    if (cursor.feed != state_.lastFeed) AppendFeed(line, cursor.feed);
    WriteNcLine(line);
    if (moved) Accumulate(cursor);
  }

  void WriteHalves(CursorRecord& cursor, const Arc& arc, bool continued, ArcForm form, int halvings) {
    ArcHalves halves = HalveArc(cursor, arc);
    WriteArcInPieces(halves.middle, halves.first, continued, form, halvings);
    set_lastFeed(halves.middle.feed);
    Moved(halves.middle, halves.cut);
    WriteArcInPieces(cursor, halves.second, true, form, halvings);
  }

  // Rapid moves are written absolute: a G90 goes before the first one after incremental cuts.
  void LeaveIncremental(std::string& line) {
    if (options_.incremental && state_.g91Active) {
      line = "G90";
      state_.g91Active = false;
    }
  }

  // The increments from the last written position to the cursor, rounded to what is written;
  // the cursor moves to where the rounded increments lead.
  std::array<std::string, 3> RoundIncrements(CursorRecord& cursor) {
    const Point3 last = state_.startLine.value_or(state_.last);
    std::array<double, 3> values = {cursor.x - last.x, cursor.y - last.y, cursor.z - last.z};
    std::array<std::string, 3> texts;
    FormatIncrement(values, texts, format_.decimals);
    cursor.SetPosition({last.x + values[0], last.y + values[1], last.z + values[2]});
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

  // Puts the arc's R or I/J/K words in arcWords_; false when none of the forms below keeps the
  // reader's arc within one last written digit (0.001 mm, or 0.0001 inch in an inch program)
  // of the arc held, and the words are the last form's. `end` is the arc's end as written
  // (incremental output has rounded it already). The forms, each taken when it fits:
  //   1. R, when the options ask for it and `form` lets them (not for a full or half turn), and
  //      not near half a turn, where the rounded R moves the centre far along the chord's
  //      normal;
  //   2. I/J/K with the program's decimals (incremental output: fine decimals, from the
  //      written start, which the rounded increments lead to);
  //   3. I/J/K with fine decimals, about a centre equidistant from the written ends: rounded
  //      ends may lie at radii that no rounded centre reconciles (a program of more decimals
  //      than are written). Not for an arc whose own ends lie at different radii: it keeps
  //      form 2.
  bool ChooseArcWords(const Arc& arc, Point3 end, ArcForm form) {
    arcWords_.clear();
    const Point3 start = options_.incremental ? state_.last : AsRead(arc.start);
    if (options_.ijkToR && form == ArcForm::AsAsked) {
      // Half a last digit more: rounding never makes R shorter than half the chord.
      const double r = Length(arc.centre - arc.start) + format_.place / 2;
      std::string radius;
      AppendFixed(radius, arc.sweep > kHalfTurn ? -r : r, format_.decimals);
      if (WithinLastDigit(RadiusArcDeviation(arc, start, AsRead(end), ParseDecimalPrefix(radius).value))) {
        arcWords_.append(1, 'R').append(radius);
        return true;
      }
    }
    // The offsets lead from the start as the reader reads it, so that its rounding does not
    // move the centre; which of them are written is decided on the offsets held: those below
    // the last written digit are not.
    const Point3 held = arc.centre - arc.start;
    const OffsetWords usual = Offsets(held, arc.centre - start, options_.incremental ? kFineDecimals : format_.decimals);
    // An arc whose ends lie at different radii is no circle a finer centre could follow.
    const bool circle = std::fabs(Length(held) - arc.radius) <= format_.place;
    if (!circle || WithinLastDigit(OffsetArcDeviation(arc, start, AsRead(end), usual.AsRead()))) return AppendOffsets(usual);
    const Point3 centred = CentreBetweenEnds(arc, start, AsRead(end)) - start;
    const OffsetWords fine = FineOffsets(centred);
    AppendOffsets(fine);
    return WithinLastDigit(OffsetArcDeviation(arc, start, AsRead(end), fine.AsRead()));
  }

  bool AppendOffsets(const OffsetWords& words) {
    static constexpr std::array<char, 3> kLetters = {'I', 'J', 'K'};
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
      if (words.texts[k].empty()) continue;
      arcWords_.append(1, kLetters[k]).append(words.texts[k]);
    }
    return true;
  }

  // The offsets `written` with `decimals`, leaving out those whose `deciding` value lies below
  // `leftOutBelow` (the last digit of the program's unless told).
  OffsetWords Offsets(Point3 deciding, Point3 written, int decimals, double leftOutBelow) const {
    const std::array<double, 3> decide = {deciding.x, deciding.y, deciding.z};
    const std::array<double, 3> values = {written.x, written.y, written.z};
    OffsetWords words;
    for (std::size_t k = 0; k < values.size(); ++k) {
      if (std::fabs(decide[k]) < leftOutBelow) continue;
      AppendFixed(words.texts[k], values[k], decimals);
    }
    return words;
  }
  OffsetWords Offsets(Point3 deciding, Point3 written, int decimals) const {
    return Offsets(deciding, written, decimals, format_.place);
  }
  OffsetWords FineOffsets(Point3 written) const { return Offsets(written, written, kFineDecimals, kFinePlace / 2); }

  // A written position as the reader reads it back: absolute axis words are rounded to their
  // decimals; incremental positions are rounded when the increments are.
  Point3 AsRead(Point3 p) const { return options_.incremental ? p : AsWritten(p); }

  // The axis words of a rapid move, which is written absolute. After incremental cuts the
  // machine stands where their rounded increments led: an axis is written where its rounded
  // word moves it, and the cuts after the rapid go on from where its words put the machine.
  bool AppendRapidAxes(std::string& line, CursorRecord& cursor) {
    if (!options_.incremental) return AppendChangedAxes(line, cursor.position());
    const Point3 rounded = AsWritten(cursor.position());
    const std::size_t before = line.size();
    if (rounded.x != state_.last.x) AppendAxis(line, 'X', cursor.x);
    if (rounded.y != state_.last.y) AppendAxis(line, 'Y', cursor.y);
    if (rounded.z != state_.last.z) AppendAxis(line, 'Z', cursor.z);
    cursor.SetPosition({rounded.x != state_.last.x ? rounded.x : state_.last.x,
                        rounded.y != state_.last.y ? rounded.y : state_.last.y,
                        rounded.z != state_.last.z ? rounded.z : state_.last.z});
    return line.size() != before;
  }

  // The extents of the feed moves and the estimated cutting time, as comments.
  void WriteMachiningInfo() {
    const auto extentLine = [this](char axis, double min, double max) {
      std::string text = "(MIN ";
      text.append(1, axis).append(" = ");
      AppendFixed(text, min, kExtentDecimals);
      text.append("      MAX ").append(1, axis).append(" = ");
      AppendFixed(text, max, kExtentDecimals);
      WriteNcLine(text + " )");
    };
    extentLine('X', extents_.min.x, extents_.max.x);
    extentLine('Y', extents_.min.y, extents_.max.y);
    extentLine('Z', extents_.min.z, extents_.max.z);
    std::string time = "(CUTTING TIME = ";
    AppendFixed(time, result_.cuttingTime, kTimeDecimals);
    WriteNcLine(time + " MIN)");
  }

  std::array<double, 3> incrementValues_{};  // mm, the rounded increments of the line being built
  std::string arcWords_;  // the R or I/J/K words of the arc being written
};

}  // namespace

std::unique_ptr<NcDialectWriter> MakeIsoWriter(const NcOutputOptions& options, OutputFile& file, UserPrompts& prompts) {
  return std::make_unique<IsoWriter>(options, file, prompts);
}

}  // namespace fendo
