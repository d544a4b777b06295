#pragma once

#include <string>
#include <vector>

#include "feed/feed_rules.h"
#include "feed/machine_condition.h"
#include "feed/master_model.h"
#include "feed/optimizer_slot.h"
#include "feed/qel_point.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// The optimizer's points of the work buffer, one per record; a record the database refuses to
// read (out of range) becomes a None point.
std::vector<QelPoint> QelPointsFrom(ToolpathDatabase& db);

// Runs the optimizer's passes over the points (one per toolpath record) with the machine's
// parameters and returns the optimized points: every move's feed lowered where the load
// rises, with extra points where the feed steps. The slot keeps the XY look-ahead of the run.
// `master` is the caller's master model, null for none: the master pass reads it when the
// condition asks for it, and nothing keeps it after the run. With `reasons`, the passes note
// the rule behind every feed they lower and the output points say which rule and which input
// point made them; the points returned are the same either way.
std::vector<QelPoint> RunEngine(std::vector<QelPoint> points, const MachineCondition& machine, OptimizerSlot& slot,
                                const MasterModel* master, Progress* progress = nullptr,
                                FeedReasons* reasons = nullptr);

// After the engine, on the work buffer: a feed move that would speed up only to slow down
// again within `radius` of where it starts takes the mean of the two slower feeds instead.
// Every record so changed is noted in `smoothed` when given.
void SmoothAccelerations(ToolpathDatabase& db, double radius, std::vector<FeedRule>* smoothed = nullptr);

enum class OptimizerStatus {
  Done,
  Disabled,          // the machine's optimizer is switched off: nothing changed
  InvalidCondition,  // a parameter lies outside what the optimizer works with: nothing changed
  TooManyRecords,    // the optimized program would not fit in the work buffer: nothing changed
};

struct OptimizerResult {
  OptimizerStatus status = OptimizerStatus::Done;
  int recordsIn = 0;
  int recordsOut = 0;
  int movesSlowed = 0;             // cutting moves that run below the maximum feed afterwards
  double cuttingMinutesBefore = 0;  // cutting moves (arcs included) at their feeds
  double cuttingMinutesAfter = 0;
  std::string message;  // why nothing changed
};

// The feed optimizer on the work buffer with machine slot 1's condition: the engine, the
// optimized points written back, the maximum feed made the work feed, the accelerations
// smoothed and the buffer cleaned up. `master` is the view's master model, null for none, as
// RunEngine takes it. No undo is recorded. With `report`, the run also tells which rule set
// each changed feed and what it costs in minutes; the records come out the same either way.
OptimizerResult OptimizeFeeds(ToolpathDatabase& db, const MachineCondition& machine, OptimizerSlot& slot,
                              const MasterModel* master, Progress* progress = nullptr,
                              FeedReport* report = nullptr);

// The estimated cutting time in minutes: every cutting move, arcs along their length, at its
// feed (moves without a feed left out), as the toolpath information shows it.
double CuttingMinutes(ToolpathDatabase& db);

}  // namespace fendo
