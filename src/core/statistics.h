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

// The statistics block: what the toolpath information shows and the writer prints. The
// lengths and the time count arcs along their length, so that the information, the file
// information of fendo-batch and the optimizer's estimate agree on a program of arcs.
struct ToolpathStatistics {
  int highestFeed = 0;       // mm/min, over linear feed moves
  double feedLength = 0;     // mm, cutting moves: linear feed moves and arcs
  double rapidLength = 0;    // mm
  double cuttingTime = 0;    // min, sum of length / feed over the cutting moves
  Extents feedExtents;       // linear feed moves and the points they start from
  Extents rapidExtents;      // rapid moves and the points they start from
};

// The statistics of the work buffer.
ToolpathStatistics MeasureStatistics(ToolpathDatabase& db);
// Fills db.statistics and sets db.boundingBox to the feed extents.
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
