// The passes of the pencil command that work on whole pencil paths: the path building (the
// nearest-neighbour order of the corner points), the separation of climbing and descending
// runs, the spike removal, the linking and the dropping of short moves. See pencil.cpp for how
// they fit together.
#include "generate/pencil_runs.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/progress.h"
#include "edit/nearest_point_index.h"

namespace fendo {
namespace {

constexpr double kReach = 1000;       // mm: the nearest search looks no farther
constexpr double kSamePoint = 0.01;   // mm: a corner point this close to one taken is its duplicate
constexpr double kLevel = 0.001;      // mm: a height change this small leaves a move level
constexpr int kPointsBetweenReports = 101;

void ReportSorting(Progress* progress, int done, int total) {
  char text[48];
  std::snprintf(text, sizeof text, " Sorting(%.2f %%).", total > 0 ? done * 100.0 / total : 100.0);
  progress->Report(text, done, total);
}

// −1, 0 or +1: whether the move from a to b descends, stays level or climbs.
int Climb(Point3 a, Point3 b) {
  const double dz = b.z - a.z;
  if (dz > kLevel) return 1;
  if (dz < -kLevel) return -1;
  return 0;
}

// Which ways a run goes: bit 0 set when it climbs somewhere, bit 1 when it descends.
int Ways(const PencilRun& run) {
  int ways = 0;
  for (std::size_t i = 1; i < run.size(); ++i) {
    const int climb = Climb(run[i - 1], run[i]);
    if (climb > 0) ways |= 1;
    if (climb < 0) ways |= 2;
  }
  return ways;
}

// The ways of a run turned round: its climbs become descents and back.
int TurnedRound(int ways) { return ((ways & 1) << 1) | ((ways & 2) >> 1); }

// The ways of a run made of a run going `a` ways, a move from `from` to `to`, and a run going
// `b` ways; with `keepMonotone`, nothing (−1) when it would both climb and descend.
int JoinedWays(int a, Point3 from, Point3 to, int b, bool keepMonotone) {
  int ways = a | b;
  const int climb = Climb(from, to);
  if (climb > 0) ways |= 1;
  if (climb < 0) ways |= 2;
  return keepMonotone && ways == 3 ? -1 : ways;
}

void Append(PencilRun& to, const PencilRun& from) { to.insert(to.end(), from.begin(), from.end()); }

// The first linking pass: each run joined to the one after it where the gap allows.
void LinkInOrder(std::vector<PencilRun>& runs, double maxLink, bool keepMonotone, const CanLink& canLink) {
  std::vector<PencilRun> linked;
  int linkedWays = 0;  // of linked.back()
  for (PencilRun& run : runs) {
    const int ways = Ways(run);
    if (!linked.empty() && Length(run.front() - linked.back().back()) < maxLink &&
        canLink(linked.back().back(), run.front())) {
      const int joined = JoinedWays(linkedWays, linked.back().back(), run.front(), ways, keepMonotone);
      if (joined >= 0) {
        Append(linked.back(), run);
        linkedWays = joined;
        continue;
      }
    }
    linked.push_back(std::move(run));
    linkedWays = ways;
  }
  runs = std::move(linked);
}

// The second linking pass: each run grows at its end, then at its start, by the run whose end
// lies nearest, as long as one lies near enough. The ends sit in one index (run r's start is
// 2r, its end 2r + 1), so that each step is a search, not a walk over all runs.
void LinkNearest(std::vector<PencilRun>& runs, double maxLink, bool keepMonotone, const CanLink& canLink) {
  std::vector<Point3> ends;
  ends.reserve(runs.size() * 2);
  for (const PencilRun& run : runs) {
    ends.push_back(run.front());
    ends.push_back(run.back());
  }
  NearestPointIndex index(ends);
  std::vector<bool> absorbed(runs.size(), false);
  const double reach2 = maxLink * maxLink;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (absorbed[r]) continue;
    index.Remove(static_cast<int>(2 * r));
    index.Remove(static_cast<int>(2 * r + 1));
    PencilRun& run = runs[r];
    int ways = Ways(run);
    for (int side = 0; side < 2; ++side) {
      // Grows at the end; for the start, the run is turned round and back again.
      if (side == 1) {
        std::ranges::reverse(run);
        ways = TurnedRound(ways);
      }
      for (;;) {
        const NearestPointIndex::Found found = index.Nearest(run.back(), reach2);
        if (found.id < 0 || found.squaredDistance >= reach2) break;
        const std::size_t other = static_cast<std::size_t>(found.id / 2);
        PencilRun next = runs[other];
        int nextWays = Ways(next);
        if (found.id % 2 == 1) {
          std::ranges::reverse(next);
          nextWays = TurnedRound(nextWays);
        }
        const int joined = JoinedWays(ways, run.back(), next.front(), nextWays, keepMonotone);
        if (joined < 0 || !canLink(run.back(), next.front())) break;
        index.Remove(static_cast<int>(2 * other));
        index.Remove(static_cast<int>(2 * other + 1));
        absorbed[other] = true;
        Append(run, next);
        ways = joined;
      }
      if (side == 1) {
        std::ranges::reverse(run);
        ways = TurnedRound(ways);
      }
    }
  }
  std::vector<PencilRun> kept;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (!absorbed[r]) kept.push_back(std::move(runs[r]));
  }
  runs = std::move(kept);
}

}  // namespace

BuiltRuns BuildPencilRuns(const std::vector<Point3>& points, double maxLink, const CanLink& canLink,
                          Progress* progress) {
  const int n = static_cast<int>(points.size());
  NearestPointIndex index(points);
  std::vector<bool> taken(n, false);
  std::vector<int> order;
  order.reserve(n);
  int firstLeft = 0;  // no point before it is left
  const auto take = [&](int id) {
    index.Remove(id);
    taken[id] = true;
    order.push_back(id);
    for (;;) {
      const NearestPointIndex::Found twin = index.Nearest(points[id], kSamePoint * kSamePoint);
      if (twin.id < 0) break;
      index.Remove(twin.id);
      taken[twin.id] = true;
    }
  };
  int handled = 0;
  while (true) {
    if (progress && handled++ % kPointsBetweenReports == 0) ReportSorting(progress, static_cast<int>(order.size()), n);
    int next = -1;
    if (!order.empty()) next = index.Nearest(points[order.back()], kReach * kReach).id;
    if (next < 0) {
      while (firstLeft < n && taken[firstLeft]) ++firstLeft;
      if (firstLeft >= n) break;
      next = firstLeft;
    }
    take(next);
  }

  std::vector<PencilRun> runs;
  PencilRun run;
  for (const int id : order) {
    if (!run.empty() && (Length(points[id] - run.back()) >= maxLink || !canLink(run.back(), points[id]))) {
      if (run.size() >= 2) runs.push_back(std::move(run));
      run.clear();
    }
    run.push_back(points[id]);
  }
  if (run.size() >= 2) runs.push_back(std::move(run));
  return {std::move(runs), static_cast<int>(order.size())};
}

void SeparateUpAndDown(std::vector<PencilRun>& runs) {
  std::vector<PencilRun> separated;
  for (const PencilRun& run : runs) {
    PencilRun piece{run.front()};
    int way = 0;  // the way the piece goes so far: 0 level only
    for (std::size_t i = 1; i < run.size(); ++i) {
      const int climb = Climb(run[i - 1], run[i]);
      if (climb != 0 && way != 0 && climb != way) {
        // The turning point ends this piece and starts the next.
        separated.push_back(std::move(piece));
        piece = PencilRun{run[i - 1]};
      }
      if (climb != 0) way = climb;
      piece.push_back(run[i]);
    }
    separated.push_back(std::move(piece));
  }
  runs = std::move(separated);
}

void RemoveSpikes(std::vector<PencilRun>& runs) {
  for (PencilRun& run : runs) {
    PencilRun kept;
    kept.reserve(run.size());
    for (std::size_t i = 0; i < run.size(); ++i) {
      const bool spike = !kept.empty() && i + 1 < run.size() && run[i].x == kept.back().x &&
                         run[i].y == kept.back().y && run[i + 1].x == run[i].x && run[i + 1].y == run[i].y &&
                         run[i].z < kept.back().z && run[i].z < run[i + 1].z;
      if (!spike) kept.push_back(run[i]);
    }
    run = std::move(kept);
  }
}

void LinkRuns(std::vector<PencilRun>& runs, double maxLink, bool keepMonotone, const CanLink& canLink) {
  LinkInOrder(runs, maxLink, keepMonotone, canLink);
  LinkNearest(runs, maxLink, keepMonotone, canLink);
}

void DropShortMoves(std::vector<PencilRun>& runs, double shortest) {
  std::vector<PencilRun> kept;
  for (PencilRun& run : runs) {
    PencilRun points{run.front()};
    for (std::size_t i = 1; i < run.size(); ++i) {
      if (Length(run[i] - points.back()) >= shortest) points.push_back(run[i]);
    }
    if (points.size() >= 2) kept.push_back(std::move(points));
  }
  runs = std::move(kept);
}

}  // namespace fendo
