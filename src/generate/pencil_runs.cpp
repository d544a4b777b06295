// The passes of the pencil command that work on whole pencil paths: the path building (the
// nearest-neighbour order of the corner points), the separation of climbing and descending
// runs, the spike removal, the linking and the dropping of short moves. See pencil.cpp for how
// they fit together.
#include "generate/pencil_runs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

#include "core/progress.h"
#include "edit/nearest_point_index.h"

namespace fendo {
namespace {

constexpr double kReach = 1000;       // mm: the nearest search looks no farther
constexpr double kSamePoint = 0.01;   // mm: a corner point this close to one taken is its duplicate
constexpr double kTurnHeight = 0.05;  // mm: a run turns when it falls (rises) this far from a top (bottom)
constexpr int kPointsBetweenReports = 101;

void ReportSorting(Progress* progress, int done, int total) {
  char text[48];
  std::snprintf(text, sizeof text, " Sorting(%.2f %%).", total > 0 ? done * 100.0 / total : 100.0);
  progress->Report(text, done, total);
}

// The heights of a run as the separation sees them: a run climbs when one of its points lies
// more than kTurnHeight above an earlier one, and descends when one lies that much below an
// earlier one. Wiggles smaller than that (the tolerance of the finishing path) are no turn.
struct Heights {
  double lowest = 0;
  double highest = 0;
  bool climbs = false;
  bool descends = false;

  static Heights Of(const PencilRun& run) {
    Heights h{run.front().z, run.front().z};
    for (const Point3& p : run) h = h.Then(Heights{p.z, p.z});
    return h;
  }
  // A run of these heights followed by one of `next`'s.
  Heights Then(const Heights& next) const {
    return {std::min(lowest, next.lowest), std::max(highest, next.highest),
            climbs || next.climbs || next.highest - lowest > kTurnHeight,
            descends || next.descends || highest - next.lowest > kTurnHeight};
  }
  Heights TurnedRound() const { return {lowest, highest, descends, climbs}; }
  bool Monotone() const { return !(climbs && descends); }
};

void Append(PencilRun& to, const PencilRun& from) { to.insert(to.end(), from.begin(), from.end()); }

// The first linking pass: each run joined to the one after it where the gap allows.
void LinkInOrder(std::vector<PencilRun>& runs, double maxLink, bool keepMonotone, const CanLink& canLink) {
  std::vector<PencilRun> linked;
  Heights linkedHeights;  // of linked.back()
  for (PencilRun& run : runs) {
    const Heights heights = Heights::Of(run);
    if (!linked.empty() && Length(run.front() - linked.back().back()) < maxLink) {
      const Heights joined = linkedHeights.Then(heights);
      if ((!keepMonotone || joined.Monotone()) && canLink(linked.back().back(), run.front())) {
        Append(linked.back(), run);
        linkedHeights = joined;
        continue;
      }
    }
    linked.push_back(std::move(run));
    linkedHeights = heights;
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
    Heights heights = Heights::Of(run);
    for (int side = 0; side < 2; ++side) {
      // Grows at the end; for the start, the run is turned round and back again.
      if (side == 1) {
        std::ranges::reverse(run);
        heights = heights.TurnedRound();
      }
      for (;;) {
        const NearestPointIndex::Found found = index.Nearest(run.back(), reach2);
        if (found.id < 0 || found.squaredDistance >= reach2) break;
        const std::size_t other = static_cast<std::size_t>(found.id / 2);
        PencilRun next = runs[other];
        Heights nextHeights = Heights::Of(next);
        if (found.id % 2 == 1) {
          std::ranges::reverse(next);
          nextHeights = nextHeights.TurnedRound();
        }
        const Heights joined = heights.Then(nextHeights);
        if ((keepMonotone && !joined.Monotone()) || !canLink(run.back(), next.front())) break;
        index.Remove(static_cast<int>(2 * other));
        index.Remove(static_cast<int>(2 * other + 1));
        absorbed[other] = true;
        Append(run, next);
        heights = joined;
      }
      if (side == 1) {
        std::ranges::reverse(run);
        heights = heights.TurnedRound();
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
    // The piece run[start … i] goes `way` (0 not yet known); top and bottom are its highest and
    // lowest points so far. A climb that falls kTurnHeight below its top ends at the top, and
    // the next piece starts there (a descent likewise at its bottom).
    std::size_t start = 0;
    std::size_t top = 0;
    std::size_t bottom = 0;
    int way = 0;
    for (std::size_t i = 1; i < run.size(); ++i) {
      if (run[i].z > run[top].z) top = i;
      if (run[i].z < run[bottom].z) bottom = i;
      if (way == 0) way = run[top].z - run[start].z > kTurnHeight ? 1 : run[start].z - run[bottom].z > kTurnHeight ? -1 : 0;
      const std::size_t turn = way > 0 ? top : bottom;
      if (way == 0 || std::abs(run[i].z - run[turn].z) <= kTurnHeight) continue;
      separated.emplace_back(run.begin() + static_cast<std::ptrdiff_t>(start),
                             run.begin() + static_cast<std::ptrdiff_t>(turn) + 1);
      start = turn;
      way = -way;
      top = bottom = start;
      for (std::size_t k = start; k <= i; ++k) {
        if (run[k].z > run[top].z) top = k;
        if (run[k].z < run[bottom].z) bottom = k;
      }
    }
    separated.emplace_back(run.begin() + static_cast<std::ptrdiff_t>(start), run.end());
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
