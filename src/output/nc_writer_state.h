#pragma once

#include <optional>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

inline constexpr double kNcStartValue = 10000;    // mm, the last position before anything is written
inline constexpr int kNcFeedAfterRapid = 50000;   // mm/min, no real feed: the next cut writes its F

// The modal state of the fixed NC writer: what the machine holds after the lines written so
// far, which decides the words the next line needs. Both dialects keep it; a layer of the
// layer output starts a new run of moves (ResetRun) but keeps the position and the feed.
struct NcWriterState {
  Point3 last{kNcStartValue, kNcStartValue, kNcStartValue};  // mm, the position last written
  Point3 held = last;                   // mm, the last motion record's own position: incremental
                                        // output keeps the rounded one in `last`, and arcs are
                                        // measured about their own start
  bool positioned = false;              // a motion record was written: `last` is a real position
  int lastFeed = kNcFeedAfterRapid;     // mm/min, the F a cut compares with to write its own
  std::optional<int> writtenFeed;       // mm/min, the F the machine holds: the last one written
  MoveKind lastKind = MoveKind::None;   // the last motion written: G02/G03 are modal
  std::optional<ArcPlane> lastPlane;    // G17/G18/G19 of the last arc written
  bool g91Active = false;               // ISO: G91 in force; every program starts in G90
  int lineCounter = 0;                  // the last sequence number written, 1 … 10000
  double retractZ = 0;                  // mm, the tool block's and the footer's retract height
  // ISO: where the start line put the machine, until the first motion after it is written;
  // incremental cuts are measured from there.
  std::optional<Point3> startLine;
};

}  // namespace fendo
