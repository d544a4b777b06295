// The plunge change. Every method finds the plunge bottoms B of the program and writes an entry
// in place of the moves that led down to them; the records are rebuilt into a new list, so the
// result is put back whole or (past the record limit) not at all.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/angle_units.h"
#include "core/geometry.h"
#include "core/toolpath_database.h"
#include "edit/plunge_entries.h"

namespace fendo {
namespace {

// ---- Ranges

using Range = FieldRange<PlungeParams>;

constexpr double kLongest = 10000;           // mm
constexpr double kHighestPlungeFeed = 1000000;  // mm/min

constexpr std::array kAngleRanges = {
    Range{"length", "길이", 0, kLongest, [](const PlungeParams& p) { return p.length; }},
    Range{"zAngle", "Z각도", 1, 90, [](const PlungeParams& p) { return p.zAngle; }},
    Range{"xyAngle", "XY 각도", -360, 360, [](const PlungeParams& p) { return p.xyAngle; }},
};
constexpr std::array kCircleRanges = {
    Range{"circleRadius", "반 경", 0.2, kLongest, [](const PlungeParams& p) { return p.circleRadius; }},
    Range{"circleLength", "길 이", 0, kLongest, [](const PlungeParams& p) { return p.circleLength; }},
    Range{"circlePitch", "피치 각도", 0, 60, [](const PlungeParams& p) { return p.circlePitch; }},
    Range{"circleDepth", "원형길이", 0, kLongest, [](const PlungeParams& p) { return p.circleDepth; }},
};
constexpr std::array kGrooveRanges = {
    Range{"groovePlungeLength", "플런지 길이", 0, kLongest, [](const PlungeParams& p) { return p.groovePlungeLength; }},
    Range{"grooveLength", "홈 길이", 0.001, kLongest, [](const PlungeParams& p) { return p.grooveLength; }},
    Range{"grooveDepth", "홈 깊이", 0, kLongest, [](const PlungeParams& p) { return p.grooveDepth; }},
    Range{"groovePitch", "피치 각도", 0, 180, [](const PlungeParams& p) { return p.groovePitch; }},
};
constexpr std::array kRapidHeightRange = {
    Range{"rapidHeight", "급속이송 높이", -kLongest, kLongest, [](const PlungeParams& p) { return p.rapidHeight; }},
};
constexpr std::array kMachinedRange = {
    Range{"machinedClearance", "가공된 지점 통과하기", 0, kLongest,
          [](const PlungeParams& p) { return p.machinedClearance; }},
};
constexpr std::array kPlungeFeedRange = {
    Range{"plungeFeed", "플런지 피드", 1, kHighestPlungeFeed,
          [](const PlungeParams& p) { return static_cast<double>(p.plungeFeed); }},
};

// A pitch angle whose descent per turn or pass is less than a last digit: the entry could never
// get down. Such angles are the ends of the pitch's range, which it must lie strictly between.
constexpr double kLeastDescent = 0.001;  // mm
std::optional<OptionOutOfRange> NoDescent(std::string_view field, double descent, double pitch, double highest) {
  if (descent >= kLeastDescent) return std::nullopt;
  OptionOutOfRange refused = OutOfRange(field, "피치 각도", 0, highest, pitch);
  refused.message.insert(refused.message.rfind(", not "), ", both left out, for the entry to go down");
  refused.endsLeftOut = true;
  return refused;
}

// ---- Where the plunges are

constexpr double kMachinedReach = 0.01;  // mm, how near an earlier cut must have come to a bottom

// The lowest height the cuts so far reached at each XY point, on a grid of kMachinedReach.
class MachinedPoints {
 public:
  // A cut reaches both its ends.
  void AddMove(const ToolpathRecord& from, const ToolpathRecord& to) {
    Add(from);
    Add(to);
  }
  // Whether an earlier cut reached B's XY (within the cells around it) at B's height or lower.
  bool Reached(const ToolpathRecord& b) const {
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        const auto it = lowest_.find(Key(Cell(b.x) + dx, Cell(b.y) + dy));
        if (it != lowest_.end() && it->second <= b.z + kMachinedReach) return true;
      }
    }
    return false;
  }

 private:
  void Add(const ToolpathRecord& r) {
    auto [it, added] = lowest_.try_emplace(Key(Cell(r.x), Cell(r.y)), r.z);
    if (!added) it->second = std::min(it->second, r.z);
  }
  static std::int64_t Cell(float v) { return static_cast<std::int64_t>(std::floor(v / kMachinedReach)); }
  static std::uint64_t Key(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint64_t>(cy & 0xffffffff);
  }
  std::unordered_map<std::uint64_t, float> lowest_;
};

// The feed of created entry moves.
int EntryFeed(const ToolpathDatabase& db, const PlungeParams& p) {
  return p.usePlungeFeed ? p.plungeFeed : db.workFeed;
}

// The XY direction (degrees) of the cut that leaves B at record `cutFrom`: towards the first
// point of it that lies away from B in XY.
double CutDirection(const RecordList& records, const ToolpathRecord& b, int cutFrom) {
  for (int i = cutFrom; i < static_cast<int>(records.size()) && IsCuttingKind(records[i].kind);
       i = NextMotionIn(records, i)) {
    const double dx = double{records[i].x} - b.x;
    const double dy = double{records[i].y} - b.y;
    if (dx != 0 || dy != 0) return PlaneAngle(dy, dx);
  }
  return 0;
}

// ---- "각도"

// A plunge bottom after NormalizePlunges: a rapid record reached straight down and followed by
// a linear feed.
bool IsRapidBottom(const RecordList& records, int i, int prev) {
  const int next = NextMotionIn(records, i);
  return prev >= 0 && IsRapidKind(records[i].kind) && StraightDown(records[prev], records[i]) &&
         next < static_cast<int>(records.size()) && IsLinearFeedKind(records[next].kind);
}

// Drops from the end of `out` the records of the straight descent to B that lie at or below
// `height`; at least the top of the descent (the record it starts from) stays.
void DropDescentBelow(RecordList& out, const ToolpathRecord& b, double height) {
  while (out.size() >= 2 && IsRapidKind(out.back().kind) && out.back().x == b.x && out.back().y == b.y &&
         out.back().z <= height && StraightDown(out[out.size() - 2], out.back())) {
    out.pop_back();
  }
}

// The entry at a rapid bottom B, replacing the descent that ends there.
void AppendAngleEntry(RecordList& out, const RecordList& records, int i, const PlungeParams& p, int feed) {
  ToolpathRecord b = records[i];
  b.kind = MoveKind::FeedStart;
  b.feed = feed;
  if (p.scope == AnglePlungeScope::All) {
    DropDescentBelow(out, b, HUGE_VAL);
    out.push_back(b);
    return;
  }
  if (p.zAngle == 90) {
    const double top = double{b.z} + p.length;
    DropDescentBelow(out, b, top);
    if (out.empty() || out.back().z > top) AppendMachinedEntry(out, records[i], p.length, feed);
    else out.push_back(b);
    return;
  }
  // A straight ramp of length L into B, turned by the XY angle from the following cut.
  const double a = p.zAngle * kRadiansPerDegree;
  const double d = (CutDirection(records, b, NextMotionIn(records, i)) + p.xyAngle) * kRadiansPerDegree;
  ToolpathRecord start = b;
  start.kind = MoveKind::Rapid;
  start.x = static_cast<float>(b.x + p.length * std::cos(a) * std::cos(d));
  start.y = static_cast<float>(b.y + p.length * std::cos(a) * std::sin(d));
  start.z = static_cast<float>(b.z + p.length * std::sin(a));
  ToolpathRecord above = start;
  above.z = out.empty() ? start.z : out.back().z;
  out.push_back(above);
  out.push_back(start);
  out.push_back(b);
}

RecordList AngleEntries(ToolpathDatabase& db, RecordList records, const PlungeParams& p) {
  NormalizePlunges(records, db.safeZ, p.selectedOnly);
  if (p.scope == AnglePlungeScope::None) return records;
  const int feed = EntryFeed(db, p);
  RecordList out;
  out.reserve(records.size() + records.size() / 8);
  MachinedPoints machined;
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    const ToolpathRecord& r = records[i];
    const bool motion = !IsCentreKind(r.kind);
    if (motion && IsRapidBottom(records, i, prev) && (!p.selectedOnly || r.selected == 1)) {
      if (p.passMachined && machined.Reached(r)) {
        DropDescentBelow(out, r, r.z + p.machinedClearance);
        AppendMachinedEntry(out, r, p.machinedClearance, feed);
      } else {
        AppendAngleEntry(out, records, i, p, feed);
      }
    } else {
      out.push_back(r);
    }
    if (p.passMachined && IsCuttingKind(r.kind) && prev >= 0) machined.AddMove(records[prev], r);
    if (motion) prev = i;
  }
  return out;
}

// ---- "원형" and "직선 홈"

// The record after which the cut that leaves a bottom at record i starts, when i is a bottom:
// a FeedStart reached straight down (the cut goes on after it), or a rapid record followed by a
// FeedStart reached by a slanted move (the cut starts with that FeedStart). −1 for no bottom.
int CutAfterBottom(const RecordList& records, int i, int prev) {
  const ToolpathRecord& r = records[i];
  if (prev < 0) return -1;
  const int next = NextMotionIn(records, i);
  if (r.kind == MoveKind::FeedStart && StraightDown(records[prev], r)) return next;
  if (IsRapidKind(r.kind) && next < static_cast<int>(records.size()) && records[next].kind == MoveKind::FeedStart &&
      !StraightDown(r, records[next])) {
    return next;
  }
  return -1;
}

std::optional<RecordList> ShapedEntries(ToolpathDatabase& db, const RecordList& records, const PlungeParams& p) {
  const int feed = EntryFeed(db, p);
  const bool circle = p.method == PlungeMethod::Circle;
  RecordList out;
  out.reserve(records.size());
  MachinedPoints machined;
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    const ToolpathRecord& r = records[i];
    const bool motion = !IsCentreKind(r.kind);
    const int cutFrom = motion && (!p.selectedOnly || r.selected == 1) ? CutAfterBottom(records, i, prev) : -1;
    if (cutFrom < 0) {
      out.push_back(r);
    } else if (p.passMachined && machined.Reached(r)) {
      AppendMachinedEntry(out, r, p.machinedClearance, feed);
    } else if (circle) {
      if (out.size() + CircleEntrySize(p) > ToolpathDatabase::kMaxRecords) return std::nullopt;
      AppendCircleEntry(out, r, p, feed);
    } else {
      const std::vector<GrooveVertex> cut = GrooveVertices(r, records, cutFrom, p.grooveLength);
      if (out.size() + GrooveEntrySize(p, static_cast<int>(cut.size())) > ToolpathDatabase::kMaxRecords) {
        return std::nullopt;
      }
      AppendGrooveEntry(out, r, cut, p, feed);
    }
    if (p.passMachined && IsCuttingKind(r.kind) && prev >= 0) machined.AddMove(records[prev], r);
    if (motion) prev = i;
  }
  return out;
}

// ---- What every method ends with

// "급속이송 높이": the rapid moves that lead on to another rapid move go to the new height, and
// a single rapid move from a cut straight into the next path gets a retract and a traverse at
// that height before it.
RecordList AtRapidHeight(const RecordList& records, double height) {
  const float h = static_cast<float>(height);
  const int n = static_cast<int>(records.size());
  RecordList out;
  out.reserve(records.size() + records.size() / 8);
  int prev = -1;
  for (int i = 0; i < n; ++i) {
    ToolpathRecord r = records[i];
    if (IsCentreKind(r.kind)) {
      out.push_back(r);
      continue;
    }
    const int next = NextMotionIn(records, i);
    if (IsRapidKind(r.kind) && next < n && IsRapidKind(records[next].kind)) {
      r.z = h;
    } else if (IsRapidKind(r.kind) && prev >= 0 && IsCuttingKind(records[prev].kind) && next < n &&
               records[next].kind == MoveKind::FeedStart) {
      ToolpathRecord retract = records[prev];
      retract.z = h;
      retract.kind = MoveKind::RapidStart;
      ToolpathRecord traverse = r;
      traverse.z = h;
      traverse.kind = MoveKind::Rapid;
      out.push_back(retract);
      out.push_back(traverse);
      r.kind = MoveKind::Rapid;
    }
    out.push_back(r);
    prev = i;
  }
  return out;
}

// "플런지 피드": vertical plunges into a path get the plunge feed.
void SetPlungeFeeds(RecordList& records, int feed, bool selectedOnly) {
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    if (prev >= 0 && records[i].kind == MoveKind::FeedStart && StraightDown(records[prev], records[i]) &&
        (!selectedOnly || records[i].selected == 1)) {
      records[i].feed = feed;
    }
    prev = i;
  }
}

}  // namespace

std::span<const FieldRange<PlungeParams>> PlungeRanges() {
  static const std::vector<Range> all = [] {
    std::vector<Range> ranges;
    for (std::span<const Range> group : {std::span<const Range>(kAngleRanges), std::span<const Range>(kRapidHeightRange),
                                         std::span<const Range>(kMachinedRange), std::span<const Range>(kCircleRanges),
                                         std::span<const Range>(kGrooveRanges), std::span<const Range>(kPlungeFeedRange)}) {
      ranges.insert(ranges.end(), group.begin(), group.end());
    }
    return ranges;
  }();
  return all;
}

std::optional<OptionOutOfRange> CheckPlungeParams(const PlungeParams& p) {
  std::optional<OptionOutOfRange> refused;
  const auto check = [&refused, &p](std::span<const Range> ranges) {
    if (!refused) refused = CheckFieldRanges(p, ranges);
  };
  switch (p.method) {
    case PlungeMethod::Angle: check(kAngleRanges); break;
    case PlungeMethod::Circle:
      check(kCircleRanges);
      if (!refused) {
        refused = NoDescent("circlePitch", p.circleRadius * std::sin(3 * p.circlePitch * kRadiansPerDegree),
                            p.circlePitch, kCircleRanges[2].highest);
      }
      break;
    case PlungeMethod::Groove:
      check(kGrooveRanges);
      if (!refused) {
        refused = NoDescent("groovePitch", p.grooveLength * std::sin(p.groovePitch * kRadiansPerDegree), p.groovePitch,
                            kGrooveRanges[3].highest);
      }
      break;
  }
  if (p.newRapidHeight) check(kRapidHeightRange);
  if (p.passMachined) check(kMachinedRange);
  if (p.usePlungeFeed) check(kPlungeFeedRange);
  return refused;
}

EditOutcome ChangePlunges(ToolpathDatabase& db, const PlungeParams& p) {
  if (CheckPlungeParams(p)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  RecordList records = CompactedRecords(db);
  const bool angle = p.method == PlungeMethod::Angle;
  if (angle) {
    records = AngleEntries(db, std::move(records), p);
  } else {
    std::optional<RecordList> shaped = ShapedEntries(db, records, p);
    if (!shaped) return EditOutcome::NoRoom;
    records = std::move(*shaped);
  }
  const double oldSafeZ = db.safeZ;
  if (p.newRapidHeight && p.rapidHeight != kKeepRapidHeight) {
    db.safeZ = p.rapidHeight;
    records = AtRapidHeight(records, p.rapidHeight);
  }
  if (p.usePlungeFeed) SetPlungeFeeds(records, p.plungeFeed, p.selectedOnly);
  const EditOutcome outcome = CommitRecords(db, records, angle ? AfterEdit::NormalizeKinds : AfterEdit::RebuildRapids);
  if (outcome == EditOutcome::NoRoom) db.safeZ = oldSafeZ;
  return outcome;
}

}  // namespace fendo
