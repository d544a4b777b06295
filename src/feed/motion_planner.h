#pragma once

namespace fendo {

class ToolpathDatabase;

// What the look-ahead planner knows of the machine. The defaults are a typical small machining
// centre: 2000 mm/s² on every axis (about 0.2 g), rapids at 24000 mm/min, a junction deviation
// of 0.02 mm and 4 ms to process a block (250 blocks a second).
struct MachineDynamics {
  double acceleration = 2000;       // mm/s², taken along the path
  double rapidFeed = 24000;         // mm/min
  double junctionDeviation = 0.02;  // mm, how far the path may stray from a corner at speed
  double blockTime = 0.004;         // s, the shortest time any block takes
};

// The same machine measured in a program's length unit (`unitInMillimetres` mm to the unit), so
// that an inch program is planned with its acceleration, rapid feed and deviation in inches.
MachineDynamics InProgramUnit(const MachineDynamics& machine, double unitInMillimetres);

// The cycle time the machine will take, minutes: the cutting moves (linear feed moves and arcs
// with a feed, the moves of the simple length/feed estimate) and the rapids (at the rapid
// feed), kept apart.
struct DynamicTime {
  double cutting = 0;  // min
  double rapid = 0;    // min
};

// Plans the motion records as a machine with look-ahead runs them: trapezoid speed profiles
// (constant acceleration, no jerk limit), every move held to its feed, arcs to the speed their
// centripetal acceleration allows (√(a·r)), every corner to the speed its junction deviation
// allows, the program starting and ending at rest, and no block shorter than the block time.
DynamicTime PlanMotion(ToolpathDatabase& db, const MachineDynamics& machine = {});

}  // namespace fendo
