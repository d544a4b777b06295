// The pre-flight check: one reading of the source text, which tells the lines the records
// came from and what the text holds that the reader does not execute, and one walk over the
// records of the work buffer for what the records themselves show.
#include "check/preflight_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "check/source_constructs.h"
#include "core/geometry.h"
#include "core/line_reader.h"
#include "core/nc_reader.h"
#include "core/path_length.h"
#include "core/toolpath_database.h"
#include "feed/machine_condition.h"
#include "feed/machine_condition_feed.h"
#include "feed/machine_feed_options.h"
#include "output/nc_dialect_writer.h"

namespace fendo {
namespace {

constexpr double kRadiusTolerance = ArcCentreCheck::kRadiusTolerance;  // mm
constexpr std::size_t kLongestText = 80;    // characters of a source line quoted in a finding
constexpr std::size_t kSpareLines = 4096;  // lines beyond one a record: headers, comments

constexpr std::array<std::string_view, kFindingKinds> kKindNames = {
    "arcRadiusMismatch", "shortRadius",   "zeroFeed",       "outOfReach",      "recordLimit",
    "invalidLine",       "notInterpreted", "heidenhainCycle", "homeMove",       "subprogramCall",
    "variable",          "radiusCompensation", "diagonalRapid", "rapidIntoPart", "blockRate",
    "feedOverMaximum",   "unit",          "drillingCycle",  "absoluteCentres", "firstPosition",
};

std::string Quoted(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return std::string(line.substr(0, kLongestText));
}

template <typename... Values>
std::string Format(const char* format, Values... values) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

// Counts every finding and keeps the first kMaxStoredPerKind of each kind; the text is only
// made for those kept.
class FindingList {
 public:
  explicit FindingList(CheckReport& report) : report_(report) {}

  template <typename MakeText>
  void Add(FindingKind kind, std::int64_t record, std::int64_t line, MakeText makeText) {
    const int k = static_cast<int>(kind);
    if (static_cast<std::size_t>(report_.counts[k]++) >= kMaxStoredPerKind) return;
    report_.findings.push_back({kind, SeverityOf(kind), record, line, makeText()});
  }

 private:
  CheckReport& report_;
};

// Follows the second reading of the source: where each line's records start, what the reader
// made of the line, and what the line holds.
class SourceWatcher : public LineWatcher {
 public:
  SourceWatcher(const ToolpathDatabase& scratch, FindingList& findings) : scratch_(scratch), findings_(findings) {}

  void Line(std::int64_t number, std::string_view text, LineOutcome outcome, int recordsBefore) override {
    lineStarts_.push_back(recordsBefore);
    const auto quote = [text] { return Quoted(text); };
    switch (outcome) {
      case LineOutcome::Invalid: findings_.Add(FindingKind::InvalidLine, recordsBefore, number, quote); break;
      case LineOutcome::OutOfReach: findings_.Add(FindingKind::OutOfReach, recordsBefore, number, quote); break;
      case LineOutcome::Skipped:
      case LineOutcome::RecordBesideSkipped:
        findings_.Add(FindingKind::NotInterpreted, recordsBefore, number, quote);
        break;
      case LineOutcome::Expanded: findings_.Add(FindingKind::DrillingCycle, recordsBefore, number, quote); break;
      default: break;
    }
    if (scratch_.reader.shortRadiusArcs != shortRadiusArcs_) {
      shortRadiusArcs_ = scratch_.reader.shortRadiusArcs;
      findings_.Add(FindingKind::ShortRadius, recordsBefore, number, [text] {
        return "R shorter than half the chord, read as a half circle: " + Quoted(text);
      });
    }
    if (scratch_.reader.lateAxes.axes != lateAxes_) {
      lateAxes_ = scratch_.reader.lateAxes.axes;
      findings_.Add(FindingKind::FirstPosition, recordsBefore, number, [&] {
        return "the moves before this line took its axes: " + Quoted(text);
      });
    }
  }

  // Room for about `lines` lines, so that a long program's table is not copied while it grows.
  void Reserve(int lines) { lineStarts_.reserve(static_cast<std::size_t>(lines) + kSpareLines); }

  // Records start at lineStarts()[n − 1] for line n.
  const std::vector<int>& lineStarts() const { return lineStarts_; }

 private:
  const ToolpathDatabase& scratch_;
  FindingList& findings_;
  std::vector<int> lineStarts_;
  std::int64_t shortRadiusArcs_ = 0;
  unsigned lateAxes_ = 0;
};

// The constructs the reader does not execute, and the units, found in the source text. The scan
// reads the file on its own, beside the reading that links records and lines: the two take about
// as long, and a machine of two cores does them at once. Its findings carry their line; their
// record is the first of that line, known when the reading is done.
class ConstructScan {
 public:
  explicit ConstructScan(bool heidenhain) : heidenhain_(heidenhain), findings_(report_) {}

  void Run(const std::string& path) {
    std::string reason;
    std::optional<LineReader> lines = LineReader::Open(path, reason);
    if (!lines) return;
    std::string_view text;
    for (std::int64_t number = 1; lines->Next(text); ++number) NoteConstructs(number, text);
  }

  // The findings into `report`, each with the first record of its line; lines the reading did
  // not reach (it stopped at the record limit) give none.
  void MoveInto(CheckReport& report, const std::vector<int>& lineStarts) {
    for (Finding& finding : report_.findings) {
      if (finding.line > static_cast<std::int64_t>(lineStarts.size())) continue;
      finding.record = lineStarts[static_cast<std::size_t>(finding.line - 1)];
      report.findings.push_back(std::move(finding));
    }
    for (std::size_t k = 0; k < report.counts.size(); ++k) report.counts[k] += report_.counts[k];
  }

 private:
  // The record is set by MoveInto.
  static constexpr int kRecordLater = -1;

  void NoteConstructs(std::int64_t number, std::string_view text) {
    constexpr int record = kRecordLater;
    const LineConstructs found = heidenhain_ ? ScanHeidenhainLine(text) : ScanIsoLine(text);
    if (!found.any()) return;
    const auto quote = [text] { return Quoted(text); };
    if (found.heidenhainCycle) findings_.Add(FindingKind::HeidenhainCycle, record, number, quote);
    if (found.homeMove) findings_.Add(FindingKind::HomeMove, record, number, quote);
    if (found.subprogramCall) findings_.Add(FindingKind::SubprogramCall, record, number, quote);
    if (found.variable) findings_.Add(FindingKind::Variable, record, number, quote);
    if (found.radiusCompensation) findings_.Add(FindingKind::RadiusCompensation, record, number, quote);
    if (found.unit) NoteUnit(*found.unit, number, record, text);
  }

  // An inch program, and every statement of a unit other than the one stated before.
  void NoteUnit(LengthUnit unit, std::int64_t number, int record, std::string_view text) {
    const bool change = unit_ && *unit_ != unit;
    const bool firstInch = !unit_ && unit == LengthUnit::Inch;
    unit_ = unit;
    if (!change && !firstInch) return;
    findings_.Add(FindingKind::Unit, record, number, [&] {
      const std::string what = change ? "unit changed to " + std::string(LengthUnitName(unit))
                                      : std::string("inch program, its numbers read as they stand");
      return what + ": " + Quoted(text);
    });
  }

  bool heidenhain_;
  CheckReport report_;
  FindingList findings_;
  std::optional<LengthUnit> unit_;
};

// The lines records come from, asked in the order of the records: the last line whose records
// start at or before the record (lines that stored nothing start where the next line does).
class LineFinder {
 public:
  explicit LineFinder(const std::vector<int>& lineStarts) : starts_(lineStarts) {}

  // The 1-based line record i came from, 0 when it is not known.
  std::int64_t LineOf(int i) {
    while (next_ < starts_.size() && starts_[next_] <= i) ++next_;
    return static_cast<std::int64_t>(next_);
  }

 private:
  const std::vector<int>& starts_;
  std::size_t next_ = 0;  // the first line whose records start after the record last asked for
};

// The highest end point of a cutting move, -inf when there is none.
double HighestCut(ToolpathDatabase& db) {
  double highest = -HUGE_VAL;
  db.ForEachRecord([&highest](int, const ToolpathRecord& r) {
    if (IsCuttingKind(r.kind)) highest = std::max<double>(highest, r.z);
  });
  return highest;
}

// The radii from the start and the end of arc record `arc` about its centre, in its plane.
std::pair<double, double> ArcRadii(Point3 start, const ToolpathRecord& arc, const ToolpathRecord& centre) {
  const PlaneAxes axes = AxesOf(PlaneOfCentreKind(centre.kind));
  const Point3 end = PositionOf(arc);
  const double cu = start.*axes.first + PositionOf(centre).*axes.first;
  const double cv = start.*axes.second + PositionOf(centre).*axes.second;
  const auto radius = [&](Point3 p) { return std::hypot(p.*axes.first - cu, p.*axes.second - cv); };
  return {radius(start), radius(end)};
}

// What the records of the work buffer show, each finding on the line its record came from.
void CheckRecords(ToolpathDatabase& db, const CheckInput& input, const std::vector<int>& lineStarts,
                  FindingList& findings) {
  const double highestCut = HighestCut(db);
  const int maxFeed = input.machine ? input.machine->qelMaxFeed : 0;
  const double baud = input.transmission ? input.transmission->baudRate : 0;
  LineFinder lines(lineStarts);
  std::optional<ToolpathRecord> previous;
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (!IsMotionKind(r.kind)) return;
    const std::int64_t line = lines.LineOf(i);
    const Point3 end = PositionOf(r);
    if (IsCuttingKind(r.kind) && r.feed <= 0) {
      findings.Add(FindingKind::ZeroFeed, i, line, [&] { return Format("%s at F%d", MoveKindName(r.kind).data(), r.feed); });
    }
    if (IsCuttingKind(r.kind) && input.machine && r.feed > maxFeed) {
      findings.Add(FindingKind::FeedOverMaximum, i, line, [&] { return Format("F%d above the machine's F%d", r.feed, maxFeed); });
    }
    if (previous) {
      const Point3 start = PositionOf(*previous);
      const Point3 d = end - start;
      const bool across = std::fabs(d.x) >= kDiagonalRapidStep || std::fabs(d.y) >= kDiagonalRapidStep;
      if (IsArcKind(r.kind) && i + 1 < db.recordCount) {
        const ToolpathRecord centre = *db.RecordAt(i + 1);
        if (IsCentreKind(centre.kind)) {
          const std::pair<double, double> radii = ArcRadii(start, r, centre);
          const double from = radii.first;
          const double to = radii.second;
          if (std::fabs(from - to) > kRadiusTolerance) {
            findings.Add(FindingKind::ArcRadiusMismatch, i, line, [&] { return Format("start radius %.3f, end %.3f", from, to); });
          }
        }
      }
      if (IsRapidKind(r.kind) && across && d.z <= -kDiagonalRapidStep) {
        findings.Add(FindingKind::DiagonalRapid, i, line, [&] { return Format("rapid down %.3f and across at once", -d.z); });
      }
      if (IsRapidKind(r.kind) && across && end.z < highestCut - kDiagonalRapidStep) {
        findings.Add(FindingKind::RapidIntoPart, i, line, [&] {
          return Format("rapid across at Z%.3f, below the highest cut Z%.3f", end.z, highestCut);
        });
      }
      if (IsCuttingKind(r.kind) && input.transmission && r.feed > 0) {
        const double length = IsArcKind(r.kind) ? ArcLength(db, i) : Length(d);
        const int characters = BlockLength(*previous, r, length);
        const double send = TransmissionTime(characters, baud);
        const double run = RunTime(length, r.feed);
        if (characters > 0 && run < send) {
          findings.Add(FindingKind::BlockRate, i, line, [&] {
            return Format("%.4f mm at F%d runs %.3f ms, its block takes %.3f ms to send", length, r.feed, run * 1000, send * 1000);
          });
        }
      }
    }
    previous = r;
  });
}

// The first record after a line that stored none, or the last record when none follows.
void ClampRecords(CheckReport& report, int recordCount) {
  for (Finding& finding : report.findings) {
    if (finding.record >= recordCount) finding.record = recordCount - 1;
  }
}

}  // namespace

bool CheckReport::HasErrors() const {
  for (int k = 0; k < kFindingKinds; ++k) {
    if (counts[k] > 0 && SeverityOf(static_cast<FindingKind>(k)) == Severity::Error) return true;
  }
  return false;
}

CheckReport CheckProgramReport(ToolpathDatabase& db, const CheckInput& input) {
  CheckReport report;
  FindingList findings(report);
  auto scratch = std::make_unique<ToolpathDatabase>();
  scratch->options = db.options;
  scratch->options.heidenhainInputChk = input.heidenhain;
  scratch->chordTolerance = db.chordTolerance;
  scratch->KeepLatestRecordsOnly();
  SourceWatcher watcher(*scratch, findings);
  watcher.Reserve(db.recordCount);
  ConstructScan constructs(input.heidenhain);
  std::thread scanning([&] { constructs.Run(input.sourcePath); });
  const LoadResult read = ReadWatched(*scratch, input.sourcePath, watcher);
  scanning.join();
  constructs.MoveInto(report, watcher.lineStarts());
  report.sourceRead = !read.refused();
  scratch.reset();
  if (read.status == LoadStatus::RecordLimit) {
    findings.Add(FindingKind::RecordLimit, -1, read.lines, [&] {
      return Format("reading stopped at line %lld: the work buffer holds %d records", static_cast<long long>(read.lines),
                    ToolpathDatabase::kMaxRecords);
    });
  }
  if (read.arcCentres.looksAbsolute) {
    findings.Add(FindingKind::AbsoluteCentres, -1, 0, [&] {
      const ArcCentreCounts& c = read.arcCentres.counts;
      return Format("%lld of %lld arcs end on another radius; %lld of them fit as absolute centres (G90.1)",
                    static_cast<long long>(c.offsetMisfits), static_cast<long long>(c.arcs),
                    static_cast<long long>(c.absoluteFits));
    });
  }
  CheckRecords(db, input, watcher.lineStarts(), findings);
  ClampRecords(report, db.recordCount);
  std::stable_sort(report.findings.begin(), report.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return report;
}

std::string_view KindName(FindingKind kind) { return kKindNames[static_cast<int>(kind)]; }

Severity SeverityOf(FindingKind kind) {
  switch (kind) {
    case FindingKind::ArcRadiusMismatch:
    case FindingKind::ShortRadius:
    case FindingKind::ZeroFeed:
    case FindingKind::OutOfReach:
    case FindingKind::RecordLimit: return Severity::Error;
    default: return Severity::Warning;
  }
}

}  // namespace fendo
