#pragma once

#include <cstdint>
#include <type_traits>

#include "core/move_kind.h"
#include "core/point3.h"

namespace fendo {

// The unit of toolpath storage: up to 13 million of these make a program, so it stays 20 bytes
// and trivial (blocks of them are allocated without being cleared first; write `ToolpathRecord{}`
// for a zeroed one).
struct ToolpathRecord {
  float x;                // mm
  float y;                // mm
  float z;                // mm
  std::int32_t feed;      // mm/min; 32 bits so that F40000 stays 40000
  std::int16_t selected;  // 1 = selected by the user
  MoveKind kind;
};
static_assert(sizeof(ToolpathRecord) == 20);
static_assert(std::is_trivial_v<ToolpathRecord>);

// The register through which every record is read and written: coordinates widened to double.
struct CursorRecord {
  double x = 0;                     // mm
  double y = 0;                     // mm
  double z = 0;                     // mm
  std::int32_t feed = 0;            // mm/min
  std::int32_t selected = 0;
  MoveKind kind = MoveKind::None;

  Point3 position() const { return {x, y, z}; }
  void SetPosition(Point3 p) {
    x = p.x;
    y = p.y;
    z = p.z;
  }
};

inline Point3 PositionOf(const ToolpathRecord& r) { return {r.x, r.y, r.z}; }

// A point rounded as a record stores it.
inline Point3 StoredPoint(Point3 p) { return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)}; }

// A stored record as the cursor holds it.
inline CursorRecord ToCursor(const ToolpathRecord& r) { return {r.x, r.y, r.z, r.feed, r.selected, r.kind}; }

}  // namespace fendo
