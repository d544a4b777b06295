// Drilling cycles, expanded into the moves a controller makes for them.
//
// A cycle code (G73, G74, G81–G89) puts a cycle in force until G80 or a motion code (G00–G03)
// ends it; the motion mode in force before the cycle carries on after it. While it is in force,
// every block with an axis word or an R drills a hole at its X and Y (G91: the position plus
// the increments), K or L times (G91: each time a further increment along; G90: in the same
// place). The depth runs along the axis normal to the plane (Z in G17). The levels:
//   initial level  where the tool stood along the drilling axis when the cycle began;
//   R plane        R (G91: the initial level + R); the initial level until an R is programmed;
//   hole bottom    Z (G91: the R plane + Z); a cycle without one drills nothing and its blocks
//                  count as not interpreted.
// R, Z and Q stay in force from block to block until the cycle ends; they are kept as levels,
// so a G90 or G91 later in the cycle changes only how the later words are read. A hole:
//   1. a tool standing below the R plane first rises to it (it never travels across the part);
//   2. rapid to X, Y at the level it stands at; rapid down to the R plane;
//   3. feed to the bottom: in one go, or in pecks of Q (G83: back out to the R plane after each
//      peck and rapid down again to kPeckClearance above the depth reached; G73: back off by
//      kChipBreakRetract only);
//   4. out again: G85, G89 and the tapping cycles G84, G74 feed back to the R plane; the others
//      rapid. Then rapid to the return level: the R plane (G99) or the initial level (G98, and
//      never below the R plane).
// What the moves cannot show is left out: dwells (P, G82, G89), spindle stops and reversals
// (G86, G84, G74), the oriented spindle stop and shift of the boring cycles. G87 (back boring)
// rapids down to its R plane below the hole, feeds up to Z and rapids to the initial level;
// G88 (boring with a manual retract) leaves the hole like G86, as a rapid straight out.
#include "core/drilling_cycles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/geometry.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

// Along the drilling axis, mm in a metric program (the reader reads numbers as they stand).
constexpr double kPeckClearance = 0.1;     // G83: the rapid back down stops this short of the depth reached
constexpr double kChipBreakRetract = 0.1;  // G73: how far the drill backs off after each peck

constexpr int kBackBoring = 87;

enum class Pecks { None, ChipBreak, FullRetract };

// How a cycle goes into the hole and comes out of it.
struct CycleMotion {
  int code;
  Pecks pecks;
  bool feedOut;  // back to the R plane at the feed
};

constexpr std::array<CycleMotion, 11> kCycles = {{
    {73, Pecks::ChipBreak, false},    // high-speed peck drilling
    {74, Pecks::None, true},          // left-hand tapping
    {81, Pecks::None, false},         // drilling
    {82, Pecks::None, false},         // drilling with a dwell at the bottom
    {83, Pecks::FullRetract, false},  // peck drilling
    {84, Pecks::None, true},          // tapping
    {85, Pecks::None, true},          // boring, feed out
    {86, Pecks::None, false},         // boring, spindle stop, rapid out
    {kBackBoring, Pecks::None, false},
    {88, Pecks::None, false},         // boring, manual retract
    {89, Pecks::None, true},          // boring with a dwell, feed out
}};

const CycleMotion& CycleOf(int code) {
  return *std::find_if(kCycles.begin(), kCycles.end(), [code](const CycleMotion& c) { return c.code == code; });
}

// Appends the moves of the holes behind the records stored, each kind starting or continuing
// its run (a rapid after a rapid is a continuation, a feed after a feed too), as the records of
// programmed moves do. Moves that go nowhere are left out.
class HoleMoves {
 public:
  HoleMoves(ToolpathDatabase& db, double Point3::*axis) : db_(db), axis_(axis), at_(db.reader.position) {
    const ToolpathRecord* last = db.RecordAt(db.recordCount - 1);
    previous_ = last ? last->kind : MoveKind::None;
  }

  Point3 at() const { return at_; }
  double Level() const { return at_.*axis_; }
  std::int64_t stored() const { return stored_; }

  bool Rapid(Point3 to) { return Move(to, true); }
  bool RapidTo(double level) { return Move(AtLevel(level), true); }
  bool FeedTo(double level) { return Move(AtLevel(level), false); }

 private:
  Point3 AtLevel(double level) const {
    Point3 p = at_;
    p.*axis_ = level;
    return p;
  }

  bool Move(Point3 to, bool rapid) {
    if (to == at_) return true;
    MoveKind kind;
    if (rapid) {
      kind = IsRapidKind(previous_) ? MoveKind::Rapid : MoveKind::RapidStart;
    } else {
      kind = IsLinearFeedKind(previous_) ? MoveKind::Feed : MoveKind::FeedStart;
    }
    db_.cursor = {};
    db_.cursor.SetPosition(to);
    db_.cursor.feed = db_.reader.feed;
    db_.cursor.kind = kind;
    if (!db_.AppendCursor()) return false;
    previous_ = kind;
    at_ = to;
    ++stored_;
    return true;
  }

  ToolpathDatabase& db_;
  double Point3::*axis_;
  Point3 at_;
  MoveKind previous_;
  std::int64_t stored_ = 0;
};

// Step 3: from the R plane to the bottom.
bool FeedToBottom(HoleMoves& moves, const DrillingCycleState& cycle, Pecks pecks) {
  const double r = cycle.rPlane;
  const double bottom = *cycle.bottom;
  if (pecks == Pecks::None || cycle.peck <= 0) return moves.FeedTo(bottom);
  const double depth = std::abs(bottom - r);
  const double down = bottom < r ? -1.0 : 1.0;
  // Every peck is at least one move: a peck count beyond the work buffer cannot be stored.
  if (depth / cycle.peck > ToolpathDatabase::kMaxRecords) return false;
  const double backOff = pecks == Pecks::FullRetract ? kPeckClearance : kChipBreakRetract;
  double reached = 0;
  for (std::int64_t peck = 1; reached < depth; ++peck) {
    if (peck > 1) {
      if (pecks == Pecks::FullRetract && !moves.RapidTo(r)) return false;
      if (!moves.RapidTo(r + down * std::max(reached - backOff, 0.0))) return false;
    }
    reached = std::min(static_cast<double>(peck) * cycle.peck, depth);
    if (!moves.FeedTo(reached < depth ? r + down * reached : bottom)) return false;
  }
  return true;
}

// Steps 1 to 4 for the hole at `position` (its level along the drilling axis is not used).
bool DrillHole(HoleMoves& moves, const DrillingCycleState& cycle, const CycleMotion& motion, Point3 position,
               double Point3::*axis) {
  const double r = cycle.rPlane;
  const bool backBoring = motion.code == kBackBoring;
  const double returnLevel = cycle.returnToR && !backBoring ? r : std::max(cycle.initialLevel, r);
  if (!backBoring && moves.Level() < r && !moves.RapidTo(r)) return false;
  position.*axis = moves.Level();
  if (!moves.Rapid(position) || !moves.RapidTo(r)) return false;
  if (!FeedToBottom(moves, cycle, motion.pecks)) return false;
  if (motion.feedOut && !moves.FeedTo(r)) return false;
  return moves.RapidTo(returnLevel);
}

const std::optional<double>& AxisWord(const DrillingWords& words, double Point3::*axis) {
  if (axis == &Point3::x) return words.axes[0];
  if (axis == &Point3::y) return words.axes[1];
  return words.axes[2];
}

void ApplyCodes(DrillingCycleState& cycle, const CycleCodes& codes, double level) {
  if (codes.returnToR) cycle.returnToR = *codes.returnToR;
  if (codes.cancel) cycle.Cancel();
  if (codes.start == 0) return;
  if (!cycle.InForce()) cycle.initialLevel = cycle.rPlane = level;
  cycle.code = codes.start;
}

// R, Z and Q of the block, kept as levels. In G91 a new R without a Z keeps the depth below it.
void RememberLevels(DrillingCycleState& cycle, const DrillingWords& words, bool incremental,
                    double Point3::*axis) {
  if (words.r) {
    const double rPlane = incremental ? cycle.initialLevel + *words.r : *words.r;
    if (incremental && cycle.bottom) *cycle.bottom += rPlane - cycle.rPlane;
    cycle.rPlane = rPlane;
  }
  if (const std::optional<double>& z = AxisWord(words, axis)) cycle.bottom = incremental ? cycle.rPlane + *z : *z;
  if (words.q) cycle.peck = std::abs(*words.q);
}

}  // namespace

std::optional<LineOutcome> ReadDrillingCycleBlock(ToolpathDatabase& db, const CycleCodes& codes,
                                                  const DrillingWords& words, bool usable) {
  NcReaderState& reader = db.reader;
  DrillingCycleState& cycle = reader.drilling;
  const PlaneAxes axes = AxesOf(db.plane);
  ApplyCodes(cycle, codes, reader.position.*axes.normal);
  if (!cycle.InForce() || !usable) return std::nullopt;

  RememberLevels(cycle, words, reader.incremental, axes.normal);
  const std::optional<double>& first = AxisWord(words, axes.first);
  const std::optional<double>& second = AxisWord(words, axes.second);
  if (!first && !second && !AxisWord(words, axes.normal) && !words.r) return LineOutcome::NoRecord;
  if (!cycle.bottom) return LineOutcome::Skipped;

  const std::int64_t holes = words.repeats.value_or(1);
  if (holes <= 0) return LineOutcome::NoRecord;

  const CycleMotion& motion = CycleOf(cycle.code);
  HoleMoves moves(db, axes.normal);
  const Point3 start = reader.position;
  Point3 step;  // G91: from one hole to the next
  Point3 position = start;
  if (reader.incremental) {
    step.*axes.first = first.value_or(0);
    step.*axes.second = second.value_or(0);
  } else {
    position.*axes.first = first.value_or(start.*axes.first);
    position.*axes.second = second.value_or(start.*axes.second);
  }
  bool stored = true;
  for (std::int64_t hole = 0; hole < holes && stored; ++hole) {
    const std::int64_t before = moves.stored();
    position = position + step;
    stored = DrillHole(moves, cycle, motion, position, axes.normal);
    if (stored) ++cycle.holes;
    // A hole that made no move is the same hole again: repeating it would change nothing.
    if (moves.stored() == before) break;
  }
  reader.blockStart = start;
  reader.position = moves.at();
  return stored ? LineOutcome::Expanded : LineOutcome::StoreFailed;
}

}  // namespace fendo
