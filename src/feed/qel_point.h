#pragma once

#include <cstdint>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

// The optimizer's working record, one per toolpath record. A move is the segment from the
// previous motion point to this one; the zone fields describe the move that ends here: over
// the first accelPercent of it the feed rises from accelFeed to the cruise feed, over the last
// decelPercent it falls to decelFeed. Zone feeds are 32 bits like the record's feed, so that
// feeds above 32767 mm/min survive; the 16-bit fields come last, so that a point takes 48 bytes.
struct QelPoint {
  double x = 0;
  double y = 0;
  double z = 0;
  std::int32_t programFeed = 0;  // the reference feed: the maximum feed once the passes start
  std::int32_t feed = 0;         // the cruise feed of the move
  std::int32_t accelFeed = 0;
  std::int32_t decelFeed = 0;
  std::int16_t accelPercent = 0;
  std::int16_t decelPercent = 0;
  MoveKind kind = MoveKind::None;

  Point3 position() const { return {x, y, z}; }
  bool IsMotion() const { return IsMotionKind(kind); }
  bool IsLinearFeed() const { return IsLinearFeedKind(kind); }
  bool HasAccelZone() const { return accelPercent > 0; }
  bool HasDecelZone() const { return decelPercent > 0; }
};
static_assert(sizeof(QelPoint) == 48);

}  // namespace fendo
