#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/arc_rule.h"
#include "core/output_file.h"
#include "core/statistics.h"
#include "core/toolpath_record.h"
#include "output/arc_form.h"
#include "output/nc_output_options.h"
#include "output/nc_writer.h"
#include "output/nc_writer_state.h"
#include "output/number_text.h"
#include "output/source_start_end.h"

namespace fendo {

class UserPrompts;

// mm: a rapid move whose Z and X or Y each change by at least this goes down (or up) and across
// at once; smaller steps do not make it diagonal.
inline constexpr double kDiagonalRapidStep = 0.001;

// How a run writes lengths in the program's unit (coordinates, R, I/J/K): to the micrometre in
// millimetres, to the ten-thousandth in inches (2.5 µm), so that an inch program keeps the
// digits it was written with.
struct UnitFormat {
  int decimals;
  double place;        // the program's unit: the value of the last digit written
  double millimetres;  // mm in one unit of the program
};
inline constexpr UnitFormat kMillimetreFormat{3, 0.001, 1};
inline constexpr UnitFormat kInchFormat{4, 0.0001, kMillimetresPerInch};

// mm of an arc's deviation that the compared points and floats may miss.
inline constexpr double kUnseenDeviation = 0.00001;

// One run of the fixed NC writer in one dialect. The driver (nc_writer.cpp) walks the records
// and asks for the parts of the program in order; each dialect (nc_writer_iso.cpp,
// nc_writer_heidenhain.cpp) writes them in its own words. What both share lives here: the
// options of the run, the output file, the modal state, sequence numbers, the axis and feed
// words, the diagonal-rapid question and the time and length estimate.
class NcDialectWriter {
 public:
  NcDialectWriter(const NcDialectWriter&) = delete;
  NcDialectWriter& operator=(const NcDialectWriter&) = delete;
  virtual ~NcDialectWriter() = default;

  // The start of the program, up to the first block that moves.
  virtual void WriteHeader() = 0;
  // The run's comment (options().comment).
  virtual void WriteComment() = 0;
  // The move to the first motion record, and the retract height it sets.
  virtual void WriteStartPosition(const CursorRecord& cursor) = 0;
  // Tool change and spindle start, as the options ask for them.
  virtual void WriteToolBlock(const CursorRecord& cursor) = 0;
  // A RapidStart or a Rapid record (G00 in force). False when the user stops at the
  // diagonal-rapid question.
  virtual bool WriteRapidStart(CursorRecord& cursor) = 0;
  virtual bool WriteRapid(CursorRecord& cursor) = 0;
  // A FeedStart (starting) or Feed record.
  virtual void WriteLinear(CursorRecord& cursor, bool starting) = 0;
  // An arc end record with its centre offsets; `continued` when it follows an arc of the same
  // direction and plane (G02/G03 and the plane word are modal then). An arc a control would
  // refuse is written as ChooseArcForm says and counted; one written as a straight feed leaves
  // the cursor a Feed (or FeedStart) record.
  void WriteArc(CursorRecord& cursor, Point3 offsets, ArcPlane plane, bool continued);
  // The end of the program; `cursor` is the last motion record written.
  virtual void WriteFooter(const CursorRecord& cursor) = 0;

  NcOutputOptions& options() { return options_; }
  void SetExtents(const Extents& extents) { extents_ = extents; }
  void ResetPosition(int feed) {
    state_.last = {kNcStartValue, kNcStartValue, kNcStartValue};
    state_.held = state_.last;
    state_.positioned = false;
    state_.lastFeed = feed;
  }
  void ResetRun() {
    state_.lastKind = MoveKind::None;
    state_.lastPlane.reset();
  }
  void set_lastFeed(int feed) { state_.lastFeed = feed; }
  // After a rapid move the next cut writes its feed; in the layer output it need not when the
  // rapid record carries the feed last written, which the machine still holds.
  void FeedAfterRapid(bool fromRapid, int rapidFeed) {
    state_.lastFeed = fromRapid && state_.writtenFeed == rapidFeed ? rapidFeed : kNcFeedAfterRapid;
  }
  MoveKind lastKind() const { return state_.lastKind; }
  std::optional<ArcPlane> lastPlane() const { return state_.lastPlane; }
  WriteResult& result() { return result_; }

  // The end of a written motion record: the position the writer left in the cursor becomes
  // the last position.
  // `held` is the record's own position where the writer rounded the cursor's.
  void Moved(const CursorRecord& cursor, Point3 held) {
    state_.last = cursor.position();
    state_.held = held;
    state_.positioned = true;
    state_.lastKind = cursor.kind;
    state_.startLine.reset();
  }

 protected:
  // How a dialect numbers its lines: which lines carry a number, and the letter before it.
  struct LineNumbers {
    bool on = false;
    std::string_view prefix;
  };

  NcDialectWriter(const NcOutputOptions& options, OutputFile& file, UserPrompts& prompts, LineNumbers numbers);

  // An arc measured from the last written position, in the dialect's words; by its centre
  // offsets when `form` says so.
  virtual void WriteMeasuredArc(CursorRecord& cursor, const Arc& arc, bool continued, ArcForm form) = 0;

  // An arc that no written form holds within one last digit is written in halves: each half is
  // measured about the held centre, and `middle` is the cursor at the cut.
  struct ArcHalves {
    Point3 cut;
    CursorRecord middle;
    Arc first;
    Arc second;
  };
  static ArcHalves HalveArc(const CursorRecord& cursor, const Arc& arc);

  // One line of the program, numbered as the dialect numbers its lines (1 … 10000, then 1 again).
  void WriteNcLine(std::string_view text);

  // Reads the start and end part of the source program when the options ask for them.
  void LoadSourceStartEnd();
  bool UsesSourceStart() const { return options_.useSourceStartEnd && !source_.start.empty(); }
  bool UsesSourceEnd() const { return options_.useSourceStartEnd && !source_.end.empty(); }
  // The source program's end part, as it stands.
  void WriteSourceEnd() { file_.Write(source_.end + "\n"); }

  // The line being built, empty: one buffer for every line, so writing allocates nothing.
  std::string& NewLine() {
    line_.clear();
    return line_;
  }

  void AppendAxis(std::string& line, char axis, double value, int decimals) const {
    line += axis;
    AppendFixed(line, value, decimals);
  }
  void AppendAxis(std::string& line, char axis, double value) const { AppendAxis(line, axis, value, format_.decimals); }
  // A position as its axis words, with `decimals`, read back.
  Point3 AsWritten(Point3 p, int decimals) const;
  Point3 AsWritten(Point3 p) const { return AsWritten(p, format_.decimals); }
  // Whether an arc as written, `deviation` away from the arc held, lies within one last digit
  // of it (0.001 mm, or 0.0001 inch in an inch program).
  bool WithinLastDigit(double deviation) const {
    return deviation + kUnseenDeviation / format_.millimetres <= format_.place;
  }
  // How often an arc no form of which fits is halved: it is written in at most eight pieces.
  static constexpr int kMostArcHalvings = 3;

  // All three axis words of `p`, X, Y, Z in that order.
  void AppendPosition(std::string& line, Point3 p) const {
    AppendAxis(line, 'X', p.x);
    AppendAxis(line, 'Y', p.y);
    AppendAxis(line, 'Z', p.z);
  }
  void AppendFeed(std::string& line, int feed) {
    state_.writtenFeed = feed;
    line += 'F';
    AppendInteger(line, feed);
  }
  // The words of the axes whose value differs from the last written position, X, Y, Z in
  // that order; true when any did.
  bool AppendChangedAxes(std::string& line, Point3 p) const {
    const std::size_t before = line.size();
    if (p.x != state_.last.x) AppendAxis(line, 'X', p.x);
    if (p.y != state_.last.y) AppendAxis(line, 'Y', p.y);
    if (p.z != state_.last.z) AppendAxis(line, 'Z', p.z);
    return line.size() != before;
  }

  // The diagonal-rapid question, for every rapid move after the first while it is asked: a
  // rapid that moves in Z and across at once may run the tool into the part. False when the
  // user stops the run; going on stops the question for the rest of the run.
  bool ConfirmRapid(Point3 p);
  // Adds a written move to the time and length estimate. The move from the start values is no
  // move of the machine, and a move without a feed takes no estimated time.
  void Accumulate(const CursorRecord& cursor);

  NcOutputOptions options_;
  const UnitFormat format_;  // from the program's unit
  OutputFile& file_;
  UserPrompts& prompts_;
  NcWriterState state_;
  Extents extents_;
  SourceStartEnd source_;
  WriteResult result_;

 private:
  LineNumbers numbers_;
  std::string line_;
  std::string number_;
};

// The two dialects.
std::unique_ptr<NcDialectWriter> MakeIsoWriter(const NcOutputOptions& options, OutputFile& file, UserPrompts& prompts);
// `chordTolerance` (mm): arcs outside the working plane are written as chords this close.
std::unique_ptr<NcDialectWriter> MakeHeidenhainWriter(const NcOutputOptions& options, double chordTolerance,
                                                      OutputFile& file, UserPrompts& prompts);

}  // namespace fendo
