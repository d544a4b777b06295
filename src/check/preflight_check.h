#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fendo {

class ToolpathDatabase;
struct MachineCondition;
struct MachineFeedOptions;

// The pre-flight check of "공구경로 체크": what a machining engineer wants to know before a
// program goes to the machine. Each finding names the record it concerns (the index `dump`
// prints) and the line of the source program it came from.

// An error is what a control refuses or what will not do what the program says; everything
// else is a warning.
enum class Severity { Error, Warning };

enum class FindingKind {
  ArcRadiusMismatch,   // error: start and end radius about the centre differ by more than 0.005 mm
  ShortRadius,         // error: R shorter than half the chord, read as a half circle
  ZeroFeed,            // error: a cutting move at feed 0 (before any F, or F0)
  OutOfReach,          // error: a coordinate beyond ±32700, the block left out
  RecordLimit,         // error: the program was cut off at the record limit
  InvalidLine,         // warning: a line the reader could not read
  NotInterpreted,      // warning: a line the reader skipped
  HeidenhainCycle,     // warning: CYCL DEF / CYCL CALL
  HomeMove,            // warning: G28, G30, G53
  SubprogramCall,      // warning: M98, M198, CALL LBL
  Variable,            // warning: #, Q parameters, expressions
  RadiusCompensation,  // warning: G41/G42, RL/RR
  DiagonalRapid,       // warning: a rapid move that goes down and across at once
  RapidIntoPart,       // warning: a rapid move that ends below the highest cutting point
  BlockRate,           // warning: a move shorter than the machine can process at its feed
  FeedOverMaximum,     // warning: a feed above the machine's maximum in the active slot
  Unit,                // warning: an inch program, or a unit change inside the program
  DrillingCycle,       // warning: a drilling cycle expanded into moves
  AbsoluteCentres,     // warning: arcs that look like absolute centres read as offsets
  FirstPosition,       // warning: the first moves took an axis the program stated only later
};
inline constexpr int kFindingKinds = static_cast<int>(FindingKind::FirstPosition) + 1;

struct Finding {
  FindingKind kind;
  Severity severity;
  std::int64_t record = -1;  // the record concerned; -1 for a finding about the whole program.
                             // A line that stored no record names the first record read after
                             // it (the last record when none follows): where the view centres.
  std::int64_t line = 0;     // 1-based line of the source file; 0 when none
  std::string text;          // what was found, in a line, e.g. "G28 Z0" or "start radius 10.000, end 10.012"
};

// Where the check looks: the program as read into the work buffer, its source file, and the
// machine settings in force (nullptr: the machine checks are left out).
struct CheckInput {
  std::string sourcePath;
  bool heidenhain = false;                    // the dialect the program was read in
  const MachineCondition* machine = nullptr;  // the active optimizer slot's machine condition
  // The settings of "기계조건에 의한 feed 변경" (machine buffer, baud rate) for the block-rate
  // check; nullptr: that check is left out.
  const MachineFeedOptions* transmission = nullptr;
};

// A program can hold millions of one finding (every move of a program without F): each kind is
// counted whole, but only its first kMaxStoredPerKind findings are kept.
inline constexpr std::size_t kMaxStoredPerKind = 1000;

struct CheckReport {
  std::vector<Finding> findings;                   // in the order of the source file
  std::array<std::int64_t, kFindingKinds> counts{};  // per kind, all found, by FindingKind
  bool sourceRead = true;  // false when the source file could not be read: only the records were checked

  std::int64_t Count(FindingKind kind) const { return counts[static_cast<int>(kind)]; }
  bool HasErrors() const;
};

// The check of the work buffer of `db` and of its source file. The source is read once more into
// a scratch database, line by line, to know which line every record came from: the records of
// the work buffer are taken to be those the file reads to (a work buffer edited since gives
// lines that no longer match).
CheckReport CheckProgramReport(ToolpathDatabase& db, const CheckInput& input);

// The name of a kind as `fendo-batch check --json` writes it ("arcRadiusMismatch", …) and as
// the dialog groups it.
std::string_view KindName(FindingKind kind);
Severity SeverityOf(FindingKind kind);

}  // namespace fendo
