#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/arc_centre_mode.h"
#include "core/arc_rule.h"
#include "core/move_kind.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader_state.h"
#include "core/point3.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

enum class LoadStatus {
  Ok,
  CannotOpen,   // nothing was read and nothing changed
  NotProgram,   // the file is not NC text (an executable, an image); nothing read, nothing changed
  ReadFailed,   // the file stopped being readable; what was read before stays
  RecordLimit,  // the program has more records than the work buffer holds; reading stopped
  OutOfMemory,  // the memory for the records could not be had; reading stopped
  OtherDialect, // the program reads as the other dialect (see DialectCheck); what was read stays
};

// What the reader of the other dialect makes of a program that read badly in the one chosen:
// Heidenhain text read as ISO gives no move and invalid lines, an ISO program read as
// Heidenhain loses its arcs (and every line with a comment).
struct DialectCheck {
  bool otherDialect = false;    // the program reads as the other dialect
  std::int64_t moves = 0;       // motion records read in the dialect chosen
  std::int64_t arcs = 0;        // of them arcs
  std::int64_t otherMoves = 0;  // the same in the other dialect, when it was tried
  std::int64_t otherArcs = 0;
};

// What reading an NC program did.
struct LoadResult {
  LoadStatus status = LoadStatus::Ok;
  std::string reason;            // the system's words, for CannotOpen, NotProgram and ReadFailed
  std::int64_t lines = 0;        // lines read
  std::int64_t invalidLines = 0; // blocks dropped because a word had no number or their end
                                 // point lies beyond the coordinate limit
  std::int64_t outOfReachLines = 0;  // of them, those beyond the limit (±32700 mm)
  std::int64_t droppedWords = 0;     // words dropped from blocks that stood (a negative F)
  std::int64_t shortRadiusArcs = 0;  // R arcs whose R fell short of half the chord: read as half
                                     // circles about the chord's midpoint, which a control refuses
  std::int64_t skippedLines = 0; // lines of features the reader does not interpret (parameters,
                                 // Heidenhain cycles and cycle calls, functions, polar and
                                 // machine-coordinate moves, drilling cycles without a depth)
  std::int64_t drillingCycleBlocks = 0;  // blocks of drilling cycles read as the moves they make
  std::int64_t drillingCycleHoles = 0;   // the holes those blocks drilled
  ArcCentreCheck arcCentres;     // whether the arcs' I, J, K look like absolute centres
  LateAxes lateAxes;             // axes the first moves took from a later block
  DialectCheck dialect;

  bool ok() const { return status == LoadStatus::Ok; }
  // The file was refused before anything of it was read.
  bool refused() const { return status == LoadStatus::CannotOpen || status == LoadStatus::NotProgram; }
};

// Replaces the work buffer by the program in `path`, after pushing it onto the undo ring. A
// file that cannot be opened changes nothing. Arcs, modal state and the header data of the
// work layer are read as the reader's options (db.options) say. A file whose first 64 KiB are
// not NC text is refused as NotProgram and changes nothing either. A program that reads badly
// (no move and invalid lines in ISO; in Heidenhain, no BEGIN PGM) is read once more in the
// other dialect, and is OtherDialect when that reads it better.
LoadResult LoadFile(ToolpathDatabase& db, const std::filesystem::path& path, Progress* progress = nullptr);
// Reads the program in `path` behind the records already there; the modal state carries on.
LoadResult AppendFile(ToolpathDatabase& db, const std::filesystem::path& path, Progress* progress = nullptr);
// The same for a program held in memory.
LoadResult AppendText(ToolpathDatabase& db, std::string_view text);

// The steps that follow opening a program: the work layer takes the records and the path, the
// statistics are computed, and the created moves' feed (workFeed) and retract height (safeZ)
// are taken from the program. False when the work layer's copy could not be allocated.
bool RunAfterLoadSteps(ToolpathDatabase& db, const std::filesystem::path& path);

// Follows a reading line by line, for passes that must know which line a record came from.
class LineWatcher {
 public:
  virtual ~LineWatcher() = default;
  // Line `number` (1-based) was read: `text` as it stands in the file, what the reader made of
  // it, and the record count before it (its records, if any, start there).
  virtual void Line(std::int64_t number, std::string_view text, LineOutcome outcome, int recordsBefore) = 0;
};

// Reads the program in `path` into `db` (emptied first, no undo snapshot, no dialect check) as
// LoadFile reads it, telling `watcher` about every line.
LoadResult ReadWatched(ToolpathDatabase& db, const std::filesystem::path& path, LineWatcher& watcher);

// Reads one line (without its line feed) into the cursor: 1 when the block yields a record.
// The moves of a drilling cycle's block go straight into the work buffer (0).
// The cursor's kind is None while no motion mode has been programmed yet.
int ParseLine(ToolpathDatabase& db, std::string_view line);

// The offset (I, J, K) from `start` to the centre of the arc of radius `radius` that ends at
// `end` in `plane`: the shorter of the two possible arcs for a positive radius, the longer for
// a negative one. A radius shorter than half the chord centres the arc on the chord.
Point3 ArcCentreFromRadius(ArcPlane plane, Point3 start, Point3 end, double radius, MoveKind kind);
// Whether `radius` is shorter than half the chord from `start` to `end` in `plane`: no arc of
// it reaches the end, and a control refuses the block.
bool RadiusShortOfChord(ArcPlane plane, Point3 start, Point3 end, double radius);

// Writes `arc` at the end of the work buffer as straight feed moves that stay within
// `tolerance` (mm) of it, ending exactly at its end point. False when a record could not be
// stored.
bool InterpolateArc(ToolpathDatabase& db, const Arc& arc, std::int32_t feed, double tolerance);

}  // namespace fendo
