// The Heidenhain conversational dialect of the fixed NC writer.
//
// Every line is numbered. The program opens with BEGIN PGM in the program's unit (MM or INCH)
// and the blank form (BLK FORM) and moves to the first point; with a tool change it defines and
// calls the tool (TOOL DEF, TOOL CALL with the spindle speed), retracts and starts spindle and
// coolant (M03M08). It ends with END PGM. A straight move is an L block with the axes that
// change; positioning moves carry FMAX, the control's rapid, and a cut its feed when the feed
// changes. XY arcs are written as a pole (CC) and a C block turning about it with DR-
// (clockwise) or DR+; arcs in the other planes, which the control knows only about a pole in
// the working plane, as chords within the reader's tolerance.
#include <cmath>
#include <string>

#include "output/arc_fidelity.h"
#include "output/nc_dialect_writer.h"

namespace fendo {
namespace {

// Heidenhain positioning moves are written with FMAX, the control's rapid: a feed word such as
// F6000 would make them feed moves at 6 m/min, and read back they would be cuts.
constexpr std::string_view kRapid = "FMAX";

class HeidenhainWriter final : public NcDialectWriter {
 public:
  HeidenhainWriter(const NcOutputOptions& options, double chordTolerance, OutputFile& file, UserPrompts& prompts)
      : NcDialectWriter(options, file, prompts, {.on = true, .prefix = ""}), chordTolerance_(chordTolerance) {}

  void WriteHeader() override {
    LoadSourceStartEnd();
    if (UsesSourceStart()) {
      WriteNcLine(source_.start);
      return;
    }
    WriteNcLine(" BEGIN PGM " + std::to_string(options_.programNumber) + UnitWord());
    WriteNcLine(" BLK FORM 0.1 Z X+0.000 Y+0.000 Z-100.000");
    WriteNcLine(" BLK FORM 0.2 X+100.000 Y+100.000 Z+0.000");
  }

  // The conversational form has no place for the comment.
  void WriteComment() override {}

  void WriteStartPosition(const CursorRecord& cursor) override {
    state_.retractZ = cursor.z;
    if (UsesSourceStart()) return;
    std::string line = "L";
    AppendPosition(line, cursor.position());
    line += kRapid;
    state_.lastFeed = kNcFeedAfterRapid;
    WriteNcLine(line);
  }

  void WriteToolBlock(const CursorRecord& cursor) override {
    if (!options_.toolChange) return;
    state_.retractZ = cursor.z;
    const std::string tool = std::to_string(options_.toolNumber);
    WriteNcLine("TOOL DEF " + tool + " L+0.000 R+0.000");
    WriteNcLine("TOOL CALL " + tool + " Z S" + std::to_string(options_.spindleSpeed));
    std::string line = "L";
    AppendAxis(line, 'Z', state_.retractZ);
    WriteNcLine(line.append(kRapid));
    state_.lastFeed = kNcFeedAfterRapid;
    WriteNcLine("M03M08");
  }

  bool WriteRapidStart(CursorRecord& cursor) override {
    if (!ConfirmRapid(cursor.position())) return false;
    std::string& line = NewLine();
    state_.lastFeed = kNcFeedAfterRapid;
    line.assign(1, 'L');
    const bool moved = AppendChangedAxes(line, cursor.position());
    line += kRapid;
    // A rapid start that does not move still writes its FMAX, without the L.
    WriteNcLine(moved ? std::string_view(line) : std::string_view(line).substr(1));
    if (moved) Accumulate(cursor);
    return true;
  }

  bool WriteRapid(CursorRecord& cursor) override {
    if (!ConfirmRapid(cursor.position())) return false;
    if (cursor.position() == state_.last) return true;
    std::string& line = NewLine();
    state_.lastFeed = kNcFeedAfterRapid;
    line.assign(1, 'L');
    AppendChangedAxes(line, cursor.position());
    line += kRapid;
    WriteNcLine(line);
    Accumulate(cursor);
    return true;
  }

  void WriteLinear(CursorRecord& cursor, bool starting) override {
    std::string& line = NewLine();
    line.assign(1, 'L');
    const bool moved = AppendChangedAxes(line, cursor.position());
    const bool feedChanged = cursor.feed != state_.lastFeed;
    if (!moved && !feedChanged) {
      if (starting) {
        state_.writtenFeed = cursor.feed;
        line.assign(1, 'F') += std::to_string(cursor.feed);
        WriteNcLine(line);
      }
      return;
    }
    if (starting || feedChanged) AppendFeed(line, cursor.feed);
    state_.lastFeed = cursor.feed;
    WriteNcLine(line);
    if (moved) Accumulate(cursor);
  }

  void WriteFooter(const CursorRecord&) override {
    if (UsesSourceEnd()) {
      WriteSourceEnd();
      return;
    }
    WriteNcLine(" END PGM " + std::to_string(options_.programNumber) + UnitWord());
  }

 private:
  // The program's unit closes BEGIN PGM and END PGM; a program that states none is in mm.
  const char* UnitWord() const { return options_.unit == LengthUnit::Inch ? " INCH" : " MM"; }

  // The pole names every arc it is given: `form` asks nothing more of it.
  void WriteMeasuredArc(CursorRecord& cursor, const Arc& arc, bool continued, ArcForm) override {
    const bool feedChanged = cursor.feed != state_.lastFeed;
    state_.lastFeed = cursor.feed;
    if (arc.plane != ArcPlane::XY) {
      WriteChords(cursor, arc, continued && !feedChanged);
      return;
    }
    WriteTurn(cursor, arc, !continued || feedChanged, kMostArcHalvings);
  }

  // A pole and the C block that turns about it to the cursor. The pole takes the program's
  // decimals where the arc read back about it lies within one last digit of the arc held. Rounded
  // ends may lie at radii that no such pole reconciles (a program of more decimals than are
  // written): the pole then lies equidistant from the written ends, with one decimal more
  // (the control takes four in mm), and failing that the arc is written in halves, over whose
  // longer chords the rounding moves the pole less. An arc whose own ends lie at different radii
  // keeps the rounded pole.
  void WriteTurn(CursorRecord& cursor, const Arc& arc, bool withFeed, int halvings) {
    const Point3 start = AsWritten(arc.start);
    const Point3 end = AsWritten(cursor.position());
    int decimals = format_.decimals;
    Point3 pole = AsWritten(arc.centre, decimals);
    const bool circle = std::fabs(Length(arc.centre - arc.start) - arc.radius) <= format_.place;
    if (circle && !WithinLastDigit(OffsetArcDeviation(arc, start, end, pole - start))) {
      decimals = format_.decimals + 1;
      pole = AsWritten(CentreBetweenEnds(arc, start, end), decimals);
      if (!WithinLastDigit(OffsetArcDeviation(arc, start, end, pole - start)) && halvings > 0) {
        WriteHalves(cursor, arc, withFeed, halvings - 1);
        return;
      }
    }
    std::string line = "CC";
    AppendAxis(line, 'X', pole.x, decimals);
    AppendAxis(line, 'Y', pole.y, decimals);
    WriteNcLine(line);
    line = "C";
    AppendChangedAxes(line, cursor.position());
    line += cursor.kind == MoveKind::ArcCw ? "DR-" : "DR+";
    if (withFeed) AppendFeed(line, cursor.feed);
    WriteNcLine(line);
    Accumulate(cursor);
  }

  void WriteHalves(CursorRecord& cursor, const Arc& arc, bool withFeed, int halvings) {
    ArcHalves halves = HalveArc(cursor, arc);
    WriteTurn(halves.middle, halves.first, withFeed, halvings);
    Moved(halves.middle, halves.cut);
    WriteTurn(cursor, halves.second, false, halvings);
  }

  // The arc as straight L blocks within the chord tolerance; the first carries the feed unless
  // `feedHeld`.
  void WriteChords(const CursorRecord& cursor, const Arc& arc, bool feedHeld) {
    const int chords = ChordCount(arc, chordTolerance_);
    for (int k = 1; k <= chords; ++k) {
      std::string line = "L";
      const Point3 p = ArcChordPoint(arc, k, chords);
      AppendChangedAxes(line, p);
      if (k == 1 && !feedHeld) AppendFeed(line, cursor.feed);
      if (line.size() > 1) WriteNcLine(line);
      state_.last = p;
    }
    // The estimate counts the arc as the straight move from its start, as it does every arc.
    state_.last = arc.start;
    Accumulate(cursor);
  }

  double chordTolerance_;  // mm
};

}  // namespace

std::unique_ptr<NcDialectWriter> MakeHeidenhainWriter(const NcOutputOptions& options, double chordTolerance,
                                                      OutputFile& file, UserPrompts& prompts) {
  return std::make_unique<HeidenhainWriter>(options, chordTolerance, file, prompts);
}

}  // namespace fendo
