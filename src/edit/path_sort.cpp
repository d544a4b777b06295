// The path sort: a new order of the paths that shortens the rapid moves between them, or, with
// the return height, lower rapid moves between close paths.
//
// A path is a run of cutting records after a rapid record; its approach is the rapid record
// just before it (where the tool stands when it starts cutting), its end its last record.
// The greedy order asks, for each path placed, for the nearest path not yet placed. Asking
// every path each time costs the square of their number (a program of 100,000 short paths
// would take minutes), so the approach and end points go into a NearestPointIndex, which
// answers the same question (the same distances, the same tie rule: on equal distances the
// path that came first, then the start before the end) and from which placed paths are taken
// out.
#include "edit/path_sort.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/toolpath_database.h"
#include "edit/nearest_point_index.h"
#include "edit/plunge.h"
#include "edit/record_list.h"
#include "edit/reverse.h"

namespace fendo {
namespace {

using Range = FieldRange<SortParams>;

constexpr double kLongest = 10000;  // mm

constexpr std::array kRanges = {
    Range{"distance", "정렬 거리", 0, kLongest, [](const SortParams& p) { return p.distance; }},
    Range{"height", "복귀 높이", kFeedAcross, kLongest, [](const SortParams& p) { return p.height; }},
};

struct SortPath {
  int approach = -1;  // the rapid record before the first cutting record; −1 when there is none
  int first = 0;      // the first cutting record
  int end = 0;        // the first rapid record after the path (or the end of the records)
  int last = 0;       // the last motion record of the path
};

std::vector<SortPath> PathsOf(const RecordList& records) {
  std::vector<SortPath> paths;
  const int n = static_cast<int>(records.size());
  int prev = -1;
  int i = 0;
  while (i < n) {
    if (!IsCuttingKind(records[i].kind) || (prev >= 0 && !IsRapidKind(records[prev].kind))) {
      prev = i;
      i = NextMotionIn(records, i);
      continue;
    }
    SortPath path{.approach = prev, .first = i, .end = i, .last = i};
    while (path.end < n && !IsRapidKind(records[path.end].kind)) {
      path.last = path.end;
      path.end = NextMotionIn(records, path.end);
    }
    paths.push_back(path);
    prev = path.last;
    i = path.end;
  }
  return paths;
}

Point3 StartOf(const RecordList& records, const SortPath& path) {
  return PositionOf(records[path.approach >= 0 ? path.approach : path.first]);
}
Point3 EndOf(const RecordList& records, const SortPath& path) { return PositionOf(records[path.last]); }

struct PlacedPath {
  int path = 0;
  bool reversed = false;
};

// The nearest unplaced path as the search found it: the key the greedy rule minimises.
struct Candidate {
  double squaredDistance = 0;
  int path = -1;
  int pairing = 0;  // "방향무시": 0 start–start, 1 start–end, 2 end–start, 3 end–end

  bool Before(const Candidate& other) const {
    if (other.path < 0) return path >= 0;
    if (path < 0) return false;
    if (squaredDistance != other.squaredDistance) return squaredDistance < other.squaredDistance;
    if (path != other.path) return path < other.path;
    return pairing < other.pairing;
  }
};

// The greedy order of modes 1–3.
std::vector<PlacedPath> GreedyOrder(const RecordList& records, const std::vector<SortPath>& paths,
                                    const SortParams& params) {
  const bool eitherEnd = params.mode == SortMode::EitherEnd;
  const int n = static_cast<int>(paths.size());
  // "방향무시" knows each path by its start (2k) and its end (2k + 1).
  std::vector<Point3> points;
  points.reserve(eitherEnd ? 2 * n : n);
  for (const SortPath& path : paths) {
    points.push_back(StartOf(records, path));
    if (eitherEnd) points.push_back(EndOf(records, path));
  }
  NearestPointIndex index(points);
  const double reach = std::min(params.distance, kSortSearchBound);
  const double reach2 = reach * reach;
  std::vector<bool> placed(n, false);
  std::vector<PlacedPath> order;
  order.reserve(n);
  int nextInOldOrder = 0;
  const auto place = [&](PlacedPath p) {
    placed[p.path] = true;
    if (eitherEnd) {
      index.Remove(2 * p.path);
      index.Remove(2 * p.path + 1);
    } else {
      index.Remove(p.path);
    }
    order.push_back(p);
  };
  place({0, false});
  while (static_cast<int>(order.size()) < n) {
    const PlacedPath last = order.back();
    const SortPath& lastPath = paths[last.path];
    Candidate best;
    if (eitherEnd) {
      const Point3 start = last.reversed ? EndOf(records, lastPath) : StartOf(records, lastPath);
      const Point3 end = last.reversed ? StartOf(records, lastPath) : EndOf(records, lastPath);
      for (int from = 0; from < 2; ++from) {
        const NearestPointIndex::Found found = index.Nearest(from == 0 ? start : end, reach2);
        if (found.id < 0) continue;
        const Candidate c{found.squaredDistance, found.id / 2, 2 * from + found.id % 2};
        if (c.Before(best)) best = c;
      }
    } else {
      const Point3 from =
          params.mode == SortMode::StartToStart ? StartOf(records, lastPath) : EndOf(records, lastPath);
      const NearestPointIndex::Found found = index.Nearest(from, reach2);
      if (found.id >= 0) best = {found.squaredDistance, found.id, 0};
    }
    if (best.path >= 0) {
      // Reached at the start from the start, or at the end from the end: cut the other way.
      place({best.path, eitherEnd && (best.pairing == 0 || best.pairing == 3)});
      continue;
    }
    while (placed[nextInOldOrder]) ++nextInOldOrder;
    place({nextInOldOrder, false});
  }
  return order;
}

ToolpathRecord At(ToolpathRecord r, Point3 p, MoveKind kind) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
  r.kind = kind;
  return r;
}

ToolpathRecord Raised(ToolpathRecord r, double safeZ, MoveKind kind) {
  r.z = static_cast<float>(safeZ);
  r.kind = kind;
  r.feed = 0;
  return r;
}

// The path's records cut from its end: entered the way the path was entered before, at its
// other end. A path entered straight down gets its approach the same height above its new
// start (and the old plunge, now a lift at the end, goes); any other entry is kept, reversed,
// and the path is entered straight down from safeZ.
RecordList ReversedPath(const RecordList& records, const SortPath& path, double safeZ, bool firstPath) {
  const int from = path.approach >= 0 ? path.approach : path.first;
  RecordList stretch(records.begin() + from, records.begin() + path.end);
  ReverseRecords(stretch, 0, static_cast<int>(stretch.size()));
  CompactInPlace(stretch);
  const bool straightEntry = path.approach >= 0 && StraightDown(records[path.approach], records[path.first]);
  const ToolpathRecord newStart = stretch.front();
  RecordList out{Raised(newStart, safeZ, firstPath ? MoveKind::RapidStart : MoveKind::Rapid)};
  if (straightEntry) {
    stretch.pop_back();
    const Point3 clearance = PositionOf(records[path.approach]) - PositionOf(records[path.first]);
    out.push_back(At(records[path.approach], PositionOf(newStart) + clearance, MoveKind::Rapid));
  }
  stretch.front().kind = MoveKind::FeedStart;
  stretch.front().feed = records[path.first].feed;
  out.insert(out.end(), stretch.begin(), stretch.end());
  out.push_back(Raised(stretch[PrevMotionIn(stretch, static_cast<int>(stretch.size()))], safeZ,
                       MoveKind::RapidStart));
  return out;
}

// Modes 1–3: the paths in their new order, each above its approach, approached, cut and left.
RecordList Rebuilt(const RecordList& records, const std::vector<SortPath>& paths,
                   const std::vector<PlacedPath>& order, double safeZ) {
  RecordList out;
  out.reserve(records.size() + 2 * paths.size());
  for (const PlacedPath& placed : order) {
    const SortPath& path = paths[placed.path];
    const bool firstPath = out.empty();
    if (placed.reversed) {
      const RecordList reversed = ReversedPath(records, path, safeZ, firstPath);
      out.insert(out.end(), reversed.begin(), reversed.end());
      continue;
    }
    const int approach = path.approach >= 0 ? path.approach : path.first;
    out.push_back(Raised(records[approach], safeZ, firstPath ? MoveKind::RapidStart : MoveKind::Rapid));
    if (path.approach >= 0) out.push_back(records[path.approach]);
    out.insert(out.end(), records.begin() + path.first, records.begin() + path.end);
    out.push_back(Raised(records[path.last], safeZ, MoveKind::RapidStart));
  }
  return out;
}

// Mode 4: the moves between close consecutive paths brought down, or dropped. Whether any were.
bool JoinClosePaths(RecordList& records, const std::vector<SortPath>& paths, const SortParams& params, int workFeed) {
  bool joined = false;
  for (std::size_t k = 1; k < paths.size(); ++k) {
    const SortPath& before = paths[k - 1];
    const SortPath& next = paths[k];
    if (next.approach < 0 || next.approach <= before.last) continue;
    const Point3 end = EndOf(records, before);
    if (std::sqrt(SquaredDistance(end, StartOf(records, next))) >= params.distance) continue;
    joined = true;
    if (params.height == kFeedAcross) {
      for (int i = before.end; i < next.approach; ++i) records[i].kind = MoveKind::None;
      records[next.approach].kind = MoveKind::Feed;
      records[next.approach].feed = records[next.first].feed;
      if (IsLinearFeedKind(records[next.first].kind)) records[next.first].kind = MoveKind::Feed;
      continue;
    }
    const float level =
        static_cast<float>(params.height + std::max(end.z, double{records[next.first].z}));
    for (int i = before.end; i <= next.approach; ++i) {
      ToolpathRecord& r = records[i];
      if (!IsRapidKind(r.kind)) continue;
      r.z = std::min(r.z, level);
      if (params.height == 0) {
        r.kind = MoveKind::Feed;
        r.feed = workFeed;
      }
    }
  }
  return joined;
}

}  // namespace

std::span<const FieldRange<SortParams>> SortRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckSortParams(const SortParams& params) {
  if (std::optional<OptionOutOfRange> outside = CheckFieldRanges<SortParams>(params, kRanges)) return outside;
  // Between −1 and 0 a height means nothing: −1 feeds across, 0 and above are heights.
  if (params.height < 0 && params.height != kFeedAcross) {
    return OutOfRange("height", "복귀 높이", 0, kLongest, params.height);
  }
  return std::nullopt;
}

EditOutcome SortPaths(ToolpathDatabase& db, const SortParams& params) {
  if (CheckSortParams(params)) return EditOutcome::Refused;
  RecordList records = CompactedRecords(db);
  const std::vector<SortPath> paths = PathsOf(records);
  if (paths.empty()) return EditOutcome::Unchanged;
  if (params.mode == SortMode::ReturnHeight) {
    if (!JoinClosePaths(records, paths, params, db.workFeed)) return EditOutcome::Unchanged;
    CompactInPlace(records);
    const EditOutcome outcome = CommitRecords(db, records, AfterEdit::NormalizeKinds);
    if (outcome == EditOutcome::Changed) NormalizePlunges(db);
    return outcome;
  }
  const std::vector<PlacedPath> order = GreedyOrder(records, paths, params);
  return CommitRecords(db, Rebuilt(records, paths, order, db.safeZ), AfterEdit::NormalizeKinds);
}

}  // namespace fendo
