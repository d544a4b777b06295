#pragma once

// How an ISO program writes the centres of its arcs. I, J, K are offsets from the arc's start
// (G91.1, what controllers do unless told otherwise) or the centre's own coordinates (G90.1).
// Some posts write absolute centres without G90.1; read as offsets, their arcs start on one
// radius and end on another. The reader counts, arc by arc, how the centre words fit when read
// both ways, so that such a program can be recognised without a second pass over the file.

#include <cstdint>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

// The centre offset (start to centre, mm) of absolute centre words `words` (I, J, K in mm): the
// centre's coordinates in the plane less the start's. An omitted word is the coordinate 0, as
// an omitted offset is 0; the word normal to the plane is kept as written (the centre record
// drops it).
Point3 AbsoluteCentreOffset(Point3 words, Point3 start, ArcPlane plane);

// The arcs of one program read with I, J, K as offsets, and how their ends fit.
struct ArcCentreCounts {
  std::int64_t arcs = 0;            // arcs whose centre words were read as offsets
  std::int64_t offsetMisfits = 0;   // of them: start and end lie on radii more than the
                                    // tolerance apart about start + (I, J, K)
  std::int64_t absoluteFits = 0;    // of the misfits: start and end agree about (I, J, K) read
                                    // as the centre's coordinates

  // Counts the arc from `start` to `end` in `plane` whose centre words, read as offsets, are
  // `words` (mm).
  void Count(Point3 start, Point3 end, Point3 words, ArcPlane plane);
};

// What the counts say.
struct ArcCentreCheck {
  ArcCentreCounts counts;
  bool looksAbsolute = false;  // the program's I, J, K are the centres' coordinates

  // mm: start and end radii that differ by more than this do not describe one arc.
  static constexpr double kRadiusTolerance = 0.005;
  // The fewest arcs that say anything about the program as a whole.
  static constexpr std::int64_t kLeastArcs = 8;
  // Percent of the misfits that must fit as absolute centres.
  static constexpr std::int64_t kAbsoluteFitPercent = 90;
};

// A program looks absolute when it has at least kLeastArcs arcs with centre words read as
// offsets, more than half of them misfit, and at least kAbsoluteFitPercent of the misfits fit
// as absolute centres.
ArcCentreCheck CheckArcCentres(const ArcCentreCounts& counts);

}  // namespace fendo
