// The pencil command, "펜슬": pencil paths along the corners of a finishing path.
//
// A ball tool that finishes a surface cannot reach into a concave corner sharper than its own
// radius; a smaller tool is sent along that corner afterwards, once, on a "pencil" path. The
// command finds such corners in the work buffer's toolpath (the centre path of the finishing
// tool) and replaces the toolpath by paths that run along them. What an engineer expects of
// the result, and what the passes below are built to give:
//   - one pass along each concave corner: each crossing of a corner by the finishing path gives
//     one corner point, and the points along one corner are threaded into one path;
//   - no duplicates: a corner crossed twice at the same place is cut once, and no move is cut
//     twice (only the turning point where "상, 하향 구분" parts a path ends one path and starts
//     the next);
//   - no one-point paths: a corner point with no neighbour near enough makes no move at all;
//   - links only where the tool can stay down: the tool feeds from one corner point to the next
//     only across less than "최대 연결거리" (maxLink), the spacing of the crossings along one
//     corner, and only where no cut of the finishing path crosses the link higher than the
//     link passes there (which would mean a ridge or a bump between the two points: feeding
//     straight across would cut into the part); otherwise it retracts, traverses at safeZ and
//     comes down again.
//
// The passes, in order (units mm and degrees):
//  1. Corner search (pencil_corners.cpp): a Feed record (an entry is none) where the path bends
//     upward by at least "최소 각도" (or, with "XY 코너", turns in XY by it while level) is a
//     corner point. The corners of one crossing, found within 1 mm along one cut (a fillet
//     near the tool's radius bends over several short moves), give one point: the sharpest.
//     The search reads the program's arcs as chords within 0.005 mm, so that a corner where an
//     arc meets a cut (at the arc's end) is found too; no question is asked, since the result
//     keeps nothing of the old moves.
//  2. Path building (pencil_runs.cpp): the corner points in nearest-neighbour order (3D, within
//     1000 mm; beyond that the order goes on from the first point left, so none is lost or
//     taken twice), each point within 0.01 mm of one taken dropped as a duplicate; the order is
//     cut into runs wherever neighbours lie maxLink or more apart or the finishing path crosses
//     the move between them higher up (pencil_link_guard.cpp), and a point alone makes none.
//     The k-d tree of edit/nearest_point_index.h answers each "nearest" without a walk over
//     all points.
//  3. With "상, 하향 구분", each run is cut where it turns from climbing to descending or back
//     (by more than 0.05 mm: smaller wiggles are the finishing path's tolerance, not a turn),
//     so that a pencil path cuts a sloping corner in one direction only; the turning point
//     ends one path and starts the next.
//  4. The straight down-and-up spikes (a point where a run goes straight down and straight back
//     up) are taken out: they only plunge the tool.
//  5. Two linking passes join runs whose ends lie less than maxLink apart: first each run to
//     the one after it, end to start; then each run, at either end, to the nearest end of any
//     run left (turning that run round), so that the pieces the greedy order leaves of one
//     corner become one path. With "상, 하향 구분" no join makes a path climb and descend; no
//     join crosses the finishing path higher up.
//     Moves shorter than 0.0001 mm are dropped.
//  6. The runs are written: a RapidStart at safeZ above the first point, a FeedStart down to it,
//     Feed moves through the rest at workFeed, a RapidStart back up to safeZ. Then the entries
//     are put in standard form (NormalizePlunges), moves ending at safeZ become rapid moves and
//     a descent from a traverse becomes a FeedStart, and the kinds are normalised.
//  7. The deletes of the edit menu: moves of at least maxLink ("길이에 의한 포인트": no link is
//     that long, but the fed descents from safeZ of step 6 are, and become rapid moves again)
//     and paths shorter than "삭제 경로길이" ("길이에 의한 경로", which keeps the program's last
//     path whatever its length).
//  8. The spike and safeZ pass again, then the rapid moves are rebuilt (RebuildRapids) and the
//     result replaces the work buffer whole, after one undo snapshot.
//
// The passes over whole runs (3 to 5) come before the writing rather than after the entries'
// normalisation: NormalizePlunges changes only how a path is entered, never which points it
// cuts through, so the order of the two does not change the paths.
//
// Nothing changes when no corner is found or no pencil path is left, when a value lies out of
// its range, or when the result would pass the record limit.
#include "generate/pencil.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/post_edit.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "edit/delete_by_length.h"
#include "edit/plunge.h"
#include "edit/record_list.h"
#include "generate/pencil_corners.h"
#include "generate/pencil_link_guard.h"
#include "generate/pencil_runs.h"
#include "output/arc_conversion.h"

namespace fendo {
namespace {

using Range = FieldRange<PencilParams>;

constexpr double kLongest = 100000;        // mm
constexpr double kShortestMove = 0.0001;   // mm: a shorter move is dropped
constexpr double kShortestLink = 0.001;    // mm
constexpr double kChordTolerance = 0.005;  // mm, arcs read as chords this close

constexpr std::array kRanges = {
    Range{"smallAngle", kPencilAngleLabel, 0.1, 179, [](const PencilParams& p) { return double{p.smallAngle}; }},
    Range{"deleteLength", kPencilDeleteLengthLabel, 0, kLongest,
          [](const PencilParams& p) { return double{p.deleteLength}; }},
    Range{"maxLink", kPencilMaxLinkLabel, kShortestLink, kLongest,
          [](const PencilParams& p) { return double{p.maxLink}; }},
};

ToolpathRecord RecordAt(Point3 p, MoveKind kind, int feed) {
  ToolpathRecord r{};
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
  r.feed = feed;
  r.kind = kind;
  return r;
}

RecordList WriteRuns(const std::vector<PencilRun>& runs, double safeZ, int feed) {
  RecordList records;
  for (const PencilRun& run : runs) {
    records.push_back(RecordAt({run.front().x, run.front().y, safeZ}, MoveKind::RapidStart, feed));
    records.push_back(RecordAt(run.front(), MoveKind::FeedStart, feed));
    for (std::size_t i = 1; i < run.size(); ++i) records.push_back(RecordAt(run[i], MoveKind::Feed, feed));
    records.push_back(RecordAt({run.back().x, run.back().y, safeZ}, MoveKind::RapidStart, feed));
  }
  return records;
}

// The spike and safeZ pass on written records: a cutting record reached straight down and left
// straight up goes; a feed move ending at or above safeZ becomes a rapid move; a rapid move
// after a rapid move that ends below safeZ (a descent from the traverse) becomes a FeedStart.
void SpikesAndSafeZ(RecordList& records, double safeZ) {
  const float top = static_cast<float>(safeZ);
  const int n = static_cast<int>(records.size());
  for (int i = 0; i < n; i = NextMotionIn(records, i)) {
    const int prev = PrevMotionIn(records, i);
    const int next = NextMotionIn(records, i);
    ToolpathRecord& r = records[i];
    if (prev < 0 || !IsLinearFeedKind(r.kind)) continue;
    if (next < n && StraightDown(records[prev], r) && r.x == records[next].x && r.y == records[next].y &&
        records[next].z > r.z) {
      r.kind = MoveKind::None;
      continue;
    }
    if (r.z >= top) r.kind = MoveKind::Rapid;
  }
  CompactInPlace(records);
  for (int i = 1; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    const int prev = PrevMotionIn(records, i);
    ToolpathRecord& r = records[i];
    if (prev >= 0 && IsRapidKind(r.kind) && IsRapidKind(records[prev].kind) && r.z < top) r.kind = MoveKind::FeedStart;
  }
}

// The program as the corner search reads it: arcs as chords within kChordTolerance, so that a
// corner where an arc meets a cut shows as a Feed record at the arc's end. Nothing when the
// chords would pass the record limit.
std::optional<RecordList> StraightProgram(ToolpathDatabase& db) {
  bool arcs = false;
  db.ForEachRecord([&arcs](int, const ToolpathRecord& r) { arcs = arcs || IsArcKind(r.kind); });
  if (!arcs) return CompactedRecords(db);
  const std::unique_ptr<ToolpathDatabase> chorded = ScratchCopy(db);
  if (!chorded || !ArcsToLines(*chorded, kChordTolerance)) return std::nullopt;
  return CompactedRecords(*chorded);
}

int CountPaths(ToolpathDatabase& db) {
  int paths = 0;
  db.ForEachRecord([&paths](int, const ToolpathRecord& r) { paths += r.kind == MoveKind::FeedStart; });
  return paths;
}

}  // namespace

std::span<const FieldRange<PencilParams>> PencilRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckPencilParams(const PencilParams& params) {
  return CheckFieldRanges<PencilParams>(params, kRanges);
}

PencilResult GeneratePencil(ToolpathDatabase& db, const PencilParams& params, Progress* progress, UndoStep undo) {
  PencilResult result;
  if (CheckPencilParams(params)) {
    result.outcome = EditOutcome::Refused;
    return result;
  }
  const double maxLink = params.maxLink;
  const std::optional<RecordList> straight = StraightProgram(db);
  if (!straight) {
    result.outcome = EditOutcome::NoRoom;
    return result;
  }
  const RecordList& program = *straight;
  std::vector<Point3> points;
  for (const PencilCorner& corner : FindPencilCorners(program, params, progress)) {
    points.push_back(PositionOf(corner.record));
  }
  // The guard's grid is built only when there is a link to ask about.
  std::optional<PencilLinkGuard> guard;
  const CanLink canLink = [&](Point3 a, Point3 b) {
    if (!guard) guard.emplace(program, maxLink);
    return guard->CanStayDown(a, b);
  };
  BuiltRuns built = BuildPencilRuns(points, maxLink, canLink, progress);
  result.corners = built.points;
  std::vector<PencilRun>& runs = built.runs;
  if (params.separateUpDown) SeparateUpAndDown(runs);
  RemoveSpikes(runs);
  LinkRuns(runs, maxLink, params.separateUpDown, canLink);
  DropShortMoves(runs, kShortestMove);
  if (progress) progress->Report(" ", 0, 0);
  if (runs.empty()) return result;

  RecordList records = WriteRuns(runs, db.safeZ, db.workFeed);
  NormalizePlunges(records, db.safeZ);
  SpikesAndSafeZ(records, db.safeZ);
  const std::unique_ptr<ToolpathDatabase> scratch = ScratchStore(db, records);
  if (!scratch) {
    result.outcome = EditOutcome::NoRoom;
    return result;
  }
  NormalizeKinds(*scratch);
  if (DeletePointsByLength(*scratch, {.length = maxLink}, UndoStep::Skip) == EditOutcome::NoRoom ||
      DeletePathsByLength(*scratch, {.length = params.deleteLength}, UndoStep::Skip) == EditOutcome::NoRoom) {
    result.outcome = EditOutcome::NoRoom;
    return result;
  }
  records = CompactedRecords(*scratch);
  SpikesAndSafeZ(records, db.safeZ);
  if (std::ranges::none_of(records, [](const ToolpathRecord& r) { return IsCuttingKind(r.kind); })) return result;
  result.outcome = RebuildAndCommit(db, records, undo);
  if (result.outcome == EditOutcome::Changed) result.paths = CountPaths(db);
  return result;
}

}  // namespace fendo
