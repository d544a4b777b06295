#include "core/nc_reader.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "core/line_reader.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader_unit.h"
#include "core/progress.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr std::string_view kLoadingText = "NCDATA 불러오기";
constexpr std::int64_t kLinesBetweenReports = 1 << 16;
constexpr std::string_view kNotProgramText = "NC 프로그램이 아닙니다.";

// How much of a file's start decides whether it is NC text, and the share (percent) of stray
// control characters it may hold.
constexpr std::size_t kSniffedBytes = std::size_t{64} << 10;
constexpr std::size_t kStrayControlPercent = 10;

// Control characters that NC text holds only as stray bytes: all but tab, line feed, form feed,
// carriage return and the end-of-file mark 0x1A of DOS editors. Bytes from 0x80 up are the
// characters of CP949, UTF-8 or Latin-1 comments.
bool IsStrayControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b == 0x7F) return true;
  return b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r' && b != 0x1A;
}

// An executable, an image or a compressed file holds NUL bytes or control characters
// throughout; NC text holds no NUL and few control characters.
bool LooksLikeNcText(std::string_view head) {
  if (head.find('\0') != std::string_view::npos) return false;
  const auto strays = static_cast<std::size_t>(std::ranges::count_if(head, IsStrayControl));
  return strays * 100 <= head.size() * kStrayControlPercent;
}

// Every file starts in absolute mode in the XY plane, its arc centres as the reader's option
// says, with the work layer's header data cleared (its unit only when the file starts the work
// buffer); the motion mode, feed and position carry on from what was read before.
void StartFile(ToolpathDatabase& db) {
  StartUnitReading(db);
  db.reader.incremental = false;
  db.reader.absoluteCentres = db.options.arcCentreAbsInputChk;
  db.reader.arcCentres = {};
  db.reader.circleCentre.reset();
  db.reader.drilling.Cancel();  // a cycle left in force does not carry over into the next file
  db.reader.drilling.returnToR = false;
  db.reader.unstatedAxes = db.recordCount == 0 ? kAllAxes : 0;
  db.reader.lateAxes = {};
  db.reader.programBegun = false;
  db.plane = ArcPlane::XY;
  LayerSlot& layer = db.layers[db.layers.workLayer];
  layer.comment.clear();
  layer.spindle = layer.lengthOffset = layer.toolNumber = layer.programNumber = 0;
}

// The kind of the last motion record stored, None when there is none.
MoveKind LastStoredMotionKind(ToolpathDatabase& db) {
  for (int i = db.recordCount - 1; i >= 0; --i) {
    const MoveKind kind = db.RecordAt(i)->kind;
    if (IsMotionKind(kind)) return kind;
  }
  return MoveKind::None;
}

LineOutcome ParseInDialect(ToolpathDatabase& db, std::string_view line) {
  return db.options.heidenhainInputChk ? ParseHeidenhainLine(db, line) : ParseIsoLine(db, line);
}

// Stores the block the cursor holds: a line as one record, an arc as its end record followed
// by its centre record (I, J, K with the component normal to the plane zeroed), or, when arcs
// are turned into lines while reading, as the chords of the arc. A straight feed move starts a
// path unless it follows one: a G01 block that did not move (or was dropped) must not leave
// the first cutting move of a path marked as a continuation of the rapid move before it.
// `lastStored` is the kind of the last motion record stored, and is kept up to date.
bool StoreBlock(ToolpathDatabase& db, MoveKind& lastStored) {
  const MoveKind kind = db.cursor.kind;
  if (IsLinearFeedKind(kind)) db.cursor.kind = IsLinearFeedKind(lastStored) ? MoveKind::Feed : MoveKind::FeedStart;
  if (!IsArcKind(kind)) {
    lastStored = db.cursor.kind;
    return db.AppendCursor();
  }
  const NcReaderState& reader = db.reader;
  if (db.options.arcToCutInputChk) {
    const Arc arc = MeasureArc(reader.blockStart, db.cursor.position(), reader.centreOffset, kind, db.plane);
    lastStored = MoveKind::Feed;
    return InterpolateArc(db, arc, db.cursor.feed, db.chordTolerance);
  }
  // An arc end record never stands without its centre record.
  if (db.recordCount > ToolpathDatabase::kMaxRecords - 2) return false;
  if (!db.AppendCursor()) return false;
  Point3 offset = reader.centreOffset;
  offset.*AxesOf(db.plane).normal = 0;
  db.cursor.SetPosition(offset);
  db.cursor.kind = CentreKindOf(db.plane);
  if (db.AppendCursor()) {
    lastStored = kind;
    return true;
  }
  --db.recordCount;
  return false;
}

LoadResult ReadLines(ToolpathDatabase& db, LineReader& lines, Progress* progress, LineWatcher* watcher = nullptr) {
  LoadResult result;
  StartFile(db);
  MoveKind lastStored = LastStoredMotionKind(db);
  const std::int64_t holesBefore = db.reader.drilling.holes;
  const std::int64_t droppedBefore = db.reader.droppedWords;
  const std::int64_t shortBefore = db.reader.shortRadiusArcs;
  std::string_view line;
  while (lines.Next(line)) {
    ++result.lines;
    if (progress && result.lines % kLinesBetweenReports == 0) {
      progress->Report(kLoadingText, lines.bytesConsumed(), lines.totalBytes());
    }
    const int recordsBefore = db.recordCount;
    const LineOutcome outcome = ParseInDialect(db, line);
    if (watcher) watcher->Line(result.lines, line, outcome, recordsBefore);
    switch (outcome) {
      case LineOutcome::Record: break;
      case LineOutcome::RecordBesideSkipped: ++result.skippedLines; break;
      case LineOutcome::Invalid: ++result.invalidLines; continue;
      case LineOutcome::OutOfReach:
        ++result.invalidLines;
        ++result.outOfReachLines;
        continue;
      case LineOutcome::Skipped: ++result.skippedLines; continue;
      case LineOutcome::NoRecord: continue;
      case LineOutcome::Expanded:
        ++result.drillingCycleBlocks;
        lastStored = LastStoredMotionKind(db);
        continue;
      case LineOutcome::StoreFailed: break;
    }
    if (outcome != LineOutcome::StoreFailed) {
      if (db.cursor.kind == MoveKind::None || StoreBlock(db, lastStored)) continue;
    }
    result.status = db.memoryOk ? LoadStatus::RecordLimit : LoadStatus::OutOfMemory;
    break;
  }
  if (result.ok() && !lines.error().empty()) {
    result.status = LoadStatus::ReadFailed;
    result.reason = lines.error();
  }
  FinishUnitReading(db);
  result.drillingCycleHoles = db.reader.drilling.holes - holesBefore;
  result.droppedWords = db.reader.droppedWords - droppedBefore;
  result.shortRadiusArcs = db.reader.shortRadiusArcs - shortBefore;
  result.lateAxes = db.reader.lateAxes;
  db.lastMotionIndex = db.PrevMotion(db.recordCount);
  // A reading watched line by line (the pre-flight check's) only links lines and records.
  if (!watcher) BoundingBox(db);
  result.arcCentres = CheckArcCentres(db.reader.arcCentres);
  return result;
}

struct MoveCounts {
  std::int64_t moves = 0;
  std::int64_t arcs = 0;
};

MoveCounts CountMoves(ToolpathDatabase& db, int firstRecord) {
  MoveCounts counts;
  db.ForEachRecord([&counts, firstRecord](int i, const ToolpathRecord& r) {
    if (i < firstRecord || !IsMotionKind(r.kind)) return;
    ++counts.moves;
    if (IsArcKind(r.kind)) ++counts.arcs;
  });
  return counts;
}

// Whether what the file read to (from `firstRecord` on) looks like the other dialect's text:
// ISO that found no move but invalid lines, Heidenhain without the BEGIN PGM every Heidenhain
// program starts with. Only such a file pays for a second reading.
bool ReadBadly(const ToolpathDatabase& db, const LoadResult& result, int firstRecord) {
  if (!result.ok() || result.lines == 0) return false;
  if (db.options.heidenhainInputChk) return !db.reader.programBegun;
  return db.recordCount == firstRecord && result.invalidLines > 0;
}

// Reads the file once more in the other dialect, in a database of its own, and tells whether
// that reading keeps moves (or arcs) the first one lost.
template <typename Reopen>
void CheckDialect(ToolpathDatabase& db, int firstRecord, LoadResult& result, Reopen reopen) {
  if (!ReadBadly(db, result, firstRecord)) return;
  std::optional<LineReader> lines = reopen();
  if (!lines) return;
  auto other = std::make_unique<ToolpathDatabase>();
  other->options = db.options;
  other->options.heidenhainInputChk = !db.options.heidenhainInputChk;
  const LoadResult otherResult = ReadLines(*other, *lines, nullptr);
  if (!otherResult.ok()) return;
  const MoveCounts read = CountMoves(db, firstRecord);
  const MoveCounts otherRead = CountMoves(*other, 0);
  DialectCheck& check = result.dialect;
  check = {.moves = read.moves, .arcs = read.arcs, .otherMoves = otherRead.moves, .otherArcs = otherRead.arcs};
  check.otherDialect = otherRead.moves > read.moves || otherRead.arcs > read.arcs;
  if (check.otherDialect) result.status = LoadStatus::OtherDialect;
}

std::optional<LineReader> OpenProgram(const std::filesystem::path& path, LoadResult& result) {
  std::optional<LineReader> lines = LineReader::Open(path, result.reason);
  if (!lines) {
    result.status = LoadStatus::CannotOpen;
  } else if (!LooksLikeNcText(lines->Head(kSniffedBytes))) {
    result.status = LoadStatus::NotProgram;
    result.reason = kNotProgramText;
    lines.reset();
  }
  return lines;
}

// Reads the program `lines` reads from `path`, checking its dialect when it reads badly.
LoadResult ReadProgram(ToolpathDatabase& db, LineReader lines, const std::filesystem::path& path, Progress* progress) {
  const int firstRecord = db.recordCount;
  LoadResult result = ReadLines(db, lines, progress);
  CheckDialect(db, firstRecord, result, [&path] {
    std::string reason;
    return LineReader::Open(path, reason);
  });
  return result;
}

}  // namespace

LoadResult LoadFile(ToolpathDatabase& db, const std::filesystem::path& path, Progress* progress) {
  LoadResult failure;
  std::optional<LineReader> lines = OpenProgram(path, failure);
  if (!lines) return failure;
  db.Snapshot(SnapshotMode::Push);
  db.recordCount = 0;
  db.cursor.kind = MoveKind::None;
  return ReadProgram(db, std::move(*lines), path, progress);
}

LoadResult AppendFile(ToolpathDatabase& db, const std::filesystem::path& path, Progress* progress) {
  LoadResult failure;
  std::optional<LineReader> lines = OpenProgram(path, failure);
  if (!lines) return failure;
  return ReadProgram(db, std::move(*lines), path, progress);
}

LoadResult AppendText(ToolpathDatabase& db, std::string_view text) {
  const int firstRecord = db.recordCount;
  LineReader lines(text);
  LoadResult result = ReadLines(db, lines, nullptr);
  CheckDialect(db, firstRecord, result, [text] { return std::optional<LineReader>(std::in_place, text); });
  return result;
}

bool RunAfterLoadSteps(ToolpathDatabase& db, const std::filesystem::path& path) {
  const bool saved = db.SaveToLayer(db.layers.workLayer);
  db.layers[db.layers.workLayer].fileName = std::filesystem::absolute(path).string();
  ComputeStatistics(db);
  // A program without feed moves (or without rapid moves) gives no feed (or height) to take
  // over; the created moves keep the ones they had rather than a feed of 0 or a retract at -9999.
  if (db.statistics.highestFeed > 0) db.workFeed = db.statistics.highestFeed;
  if (!db.statistics.rapidExtents.empty()) db.safeZ = MaxRapidZ(db);
  return saved;
}

LoadResult ReadWatched(ToolpathDatabase& db, const std::filesystem::path& path, LineWatcher& watcher) {
  LoadResult failure;
  std::optional<LineReader> lines = OpenProgram(path, failure);
  if (!lines) return failure;
  db.recordCount = 0;
  db.cursor.kind = MoveKind::None;
  return ReadLines(db, *lines, nullptr, &watcher);
}

int ParseLine(ToolpathDatabase& db, std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  const LineOutcome outcome = ParseInDialect(db, line);
  return outcome == LineOutcome::Record || outcome == LineOutcome::RecordBesideSkipped ? 1 : 0;
}

}  // namespace fendo
