#pragma once

#include "core/point3.h"

namespace fendo {

class ToolpathDatabase;

// The box spanned by a set of points; it starts inverted (min 10000, max −10000) so that the
// first point widened into it becomes both corners.
struct Extents {
  static constexpr double kEmptyMin = 10000;
  static constexpr double kEmptyMax = -10000;
  Point3 min{kEmptyMin, kEmptyMin, kEmptyMin};  // mm
  Point3 max{kEmptyMax, kEmptyMax, kEmptyMax};  // mm

  void Widen(Point3 p);
  bool empty() const { return min.x > max.x; }
};

// The statistics block: what the toolpath information shows and the writer prints.
struct ToolpathStatistics {
  int highestFeed = 0;       // mm/min, over linear feed moves
  double feedLength = 0;     // mm, linear feed moves
  double rapidLength = 0;    // mm
  double cuttingTime = 0;    // min, sum of length / feed over linear feed moves
  Extents feedExtents;       // linear feed moves and the points they start from
  Extents rapidExtents;      // rapid moves and the points they start from
};

// Fills db.statistics and sets db.boundingBox to the feed extents. Arcs are not counted.
void ComputeStatistics(ToolpathDatabase& db);
// The box of the linear feed moves and of the rapid end points that lead into paths (not
// across a straight plunge), into db.boundingBox.
void BoundingBox(ToolpathDatabase& db);
// The highest feed of the linear feed moves, 0 when there are none.
int MaxFeed(ToolpathDatabase& db);
// The highest Z of the rapid moves, −9999 when there are none.
double MaxRapidZ(ToolpathDatabase& db);
// The longest linear feed move, leaving out straight vertical ones.
double LongestSegment(ToolpathDatabase& db);

}  // namespace fendo
