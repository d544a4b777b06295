#pragma once

#include <cstdint>
#include <optional>

#include "core/drilling_cycles.h"
#include "core/arc_centre_mode.h"
#include "core/move_kind.h"
#include "core/nc_reader_unit.h"
#include "core/point3.h"

namespace fendo {

// The axes as bits, in the order X, Y, Z.
constexpr unsigned kAxisX = 1, kAxisY = 2, kAxisZ = 4;
constexpr unsigned kAllAxes = kAxisX | kAxisY | kAxisZ;

// The axes a program first stated only after it had moved, and the values stated: its moves
// before took those values instead of the reader's start.
struct LateAxes {
  unsigned axes = 0;
  Point3 values;  // mm, on the axes named
};

// The modal state of the NC reader. It lives in the database and survives from one file to the
// next (an added file continues where the loaded one stopped), except where a file's start
// resets it.
struct NcReaderState {
  MoveKind modalKind = MoveKind::None;  // G00/G01/G02/G03; Heidenhain L, C with DR±, F, FMAX
  bool incremental = false;             // G91 (true) or G90; absolute at the start of every file
  bool absoluteCentres = false;         // G90.1 (true) or G91.1; the reader option at every file start
  Point3 position;                      // mm, end point of the last accepted block
  std::int32_t feed = 0;                // mm/min, F
  double radius = 0;                    // mm, the last R (Heidenhain: also the CC distance)
  std::optional<Point3> circleCentre;   // mm, Heidenhain CC pole; cleared at every file start
  Point3 blockStart;                    // mm, where the block just read starts
  Point3 centreOffset;                  // mm, I, J, K of the block just read (start to centre)
  UnitReading unit;                     // G20/G21 of the file being read
  DrillingCycleState drilling;          // G73/G74/G81–G89 … G80, G98/G99, R, Z, Q
  ArcCentreCounts arcCentres;           // how the file's I, J, K fit as offsets and as absolute
                                        // centres; cleared at every file start
  unsigned unstatedAxes = 0;            // the axes a file that starts the work buffer has not
                                        // stated yet: its moves stand at the reader's start there
  LateAxes lateAxes;                    // what the file's first moves took from a later block
  std::int64_t droppedWords = 0;        // words dropped from blocks that stood (a negative F)
  std::int64_t shortRadiusArcs = 0;     // R arcs whose R fell short of half the chord
  bool programBegun = false;            // a Heidenhain BEGIN PGM line was read in this file
};

}  // namespace fendo
