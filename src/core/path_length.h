#pragma once

namespace fendo {

class ToolpathDatabase;

// Total length of the cutting moves (linear and arc), mm; also kept in db.pathLength.
double PathLength(ToolpathDatabase& db);
// The same sum over the records a..b−1, the first measured from the motion record before a.
double RangeLength(ToolpathDatabase& db, int a, int b);
// Length of the arc whose end record is i, mm.
double ArcLength(ToolpathDatabase& db, int i);

}  // namespace fendo
