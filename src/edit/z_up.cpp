// Z-up: four ways of keeping the tool from moving down (or up) where it should not.
#include "edit/z_up.h"

#include <array>
#include <cmath>

#include "core/angle_units.h"
#include "core/toolpath_database.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

using Range = FieldRange<ZUpParams>;

constexpr double kHighest = 10000;  // mm
// mm: how far a record on the floor may lie off the line between its neighbours and still be
// taken as a point on it (float precision at the size of a part).
constexpr double kOnLine = 0.0005;

constexpr std::array kFloorRange = {
    Range{"floorZ", "Z 값", -kHighest, kHighest, [](const ZUpParams& p) { return p.floorZ; }},
};
constexpr std::array kDownRange = {
    Range{"downTolerance", "각도 공차", 0, 90, [](const ZUpParams& p) { return p.downTolerance; }},
};
constexpr std::array kUpRange = {
    Range{"upTolerance", "각도 공차", 0, 90, [](const ZUpParams& p) { return p.upTolerance; }},
};

// The move into a path: how the tool gets into the material, never held up or dropped.
bool IsEntry(const ToolpathRecord& prev, const ToolpathRecord& r) {
  return r.kind == MoveKind::FeedStart && IsRapidKind(prev.kind);
}

// The angle of the move against the XY plane, degrees: 0 level, 90 vertical.
double Slope(const ToolpathRecord& from, const ToolpathRecord& to) {
  const double dz = double{to.z} - from.z;
  return std::atan2(std::abs(dz), std::hypot(double{to.x} - from.x, double{to.y} - from.y)) * kDegreesPerRadian;
}

// "Z 하향 억제": in place, each record looked at against the one before as already lifted.
// Whether anything was lifted.
bool HoldDown(RecordList& records) {
  bool lifted = false;
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    ToolpathRecord& r = records[i];
    if (prev >= 0 && IsLinearFeedKind(r.kind) && r.z < records[prev].z && !IsEntry(records[prev], r)) {
      r.z = records[prev].z;
      lifted = true;
    }
    prev = i;
  }
  return lifted;
}

// "Z값 하향 억제", first step: crossing points in, records below the floor raised.
RecordList RaisedToFloor(const RecordList& records, float floor) {
  RecordList out;
  out.reserve(records.size() + records.size() / 8);
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    ToolpathRecord r = records[i];
    if (IsCentreKind(r.kind)) {
      out.push_back(r);
      continue;
    }
    if (!IsArcKind(r.kind)) {
      const ToolpathRecord* from = prev >= 0 ? &records[prev] : nullptr;
      if (from && from->z != floor && r.z != floor && (from->z < floor) != (r.z < floor)) {
        const double t = (double{floor} - from->z) / (double{r.z} - from->z);
        ToolpathRecord crossing = r;
        crossing.x = static_cast<float>(from->x + t * (double{r.x} - from->x));
        crossing.y = static_cast<float>(from->y + t * (double{r.y} - from->y));
        crossing.z = floor;
        out.push_back(crossing);
        r.kind = ContinuationOf(r.kind);  // the crossing point took the move's kind
      }
      if (r.z < floor) r.z = floor;
    }
    out.push_back(r);
    prev = i;
  }
  return out;
}

// Whether m lies on the straight line from a to b, between them.
bool OnLineBetween(const ToolpathRecord& a, const ToolpathRecord& m, const ToolpathRecord& b) {
  const Point3 ab = PositionOf(b) - PositionOf(a);
  const Point3 am = PositionOf(m) - PositionOf(a);
  const double length2 = ab.x * ab.x + ab.y * ab.y + ab.z * ab.z;
  if (length2 == 0) return Length(am) <= kOnLine;
  const double t = (am.x * ab.x + am.y * ab.y + am.z * ab.z) / length2;
  return t >= 0 && t <= 1 && Length(am - ab * t) <= kOnLine;
}

// "Z값 하향 억제", second step: the records on the floor that add nothing to the line between
// their neighbours on the floor.
void DropPointsOnFloor(RecordList& records, float floor) {
  const int n = static_cast<int>(records.size());
  int kept = -1;
  for (int i = 0; i < n; i = NextMotionIn(records, i)) {
    const int next = NextMotionIn(records, i);
    const ToolpathRecord& r = records[i];
    if (kept >= 0 && next < n && r.kind == MoveKind::Feed && IsLinearFeedKind(records[next].kind) &&
        r.z == floor && records[kept].z == floor && records[next].z == floor &&
        OnLineBetween(records[kept], r, records[next])) {
      records[i].kind = MoveKind::None;
      continue;
    }
    kept = i;
  }
  CompactInPlace(records);
}

// "하향 삭제" and "상향 삭제": steep cuts become rapid moves. Whether anything changed.
bool DropSteepMoves(RecordList& records, bool descending, double tolerance) {
  bool dropped = false;
  int prev = -1;
  for (int i = 0; i < static_cast<int>(records.size()); i = NextMotionIn(records, i)) {
    ToolpathRecord& r = records[i];
    if (prev >= 0 && IsLinearFeedKind(r.kind) && !IsEntry(records[prev], r)) {
      const ToolpathRecord& from = records[prev];
      const bool goes = descending ? r.z < from.z : r.z > from.z;
      if (goes && Slope(from, r) > tolerance) {
        r.kind = MoveKind::Rapid;
        dropped = true;
      }
    }
    prev = i;
  }
  return dropped;
}

}  // namespace

std::span<const FieldRange<ZUpParams>> ZUpRanges() {
  static constexpr std::array kAll = {kFloorRange[0], kDownRange[0], kUpRange[0]};
  return kAll;
}

std::optional<OptionOutOfRange> CheckZUpParams(const ZUpParams& params) {
  switch (params.mode) {
    case ZUpMode::HoldDown: return std::nullopt;
    case ZUpMode::Floor: return CheckFieldRanges<ZUpParams>(params, kFloorRange);
    case ZUpMode::DropDown: return CheckFieldRanges<ZUpParams>(params, kDownRange);
    case ZUpMode::DropUp: return CheckFieldRanges<ZUpParams>(params, kUpRange);
  }
  return std::nullopt;
}

EditOutcome ZUp(ToolpathDatabase& db, const ZUpParams& params) {
  if (CheckZUpParams(params)) return EditOutcome::Refused;
  if (db.recordCount == 0) return EditOutcome::Unchanged;
  RecordList records = CompactedRecords(db);
  switch (params.mode) {
    case ZUpMode::HoldDown:
      if (!HoldDown(records)) return EditOutcome::Unchanged;
      return CommitRecords(db, records, AfterEdit::Nothing);
    case ZUpMode::Floor: {
      const float floor = static_cast<float>(params.floorZ);
      records = RaisedToFloor(records, floor);
      DropPointsOnFloor(records, floor);
      return CommitRecords(db, records, AfterEdit::NormalizeKinds);
    }
    case ZUpMode::DropDown:
    case ZUpMode::DropUp: {
      const bool descending = params.mode == ZUpMode::DropDown;
      if (!DropSteepMoves(records, descending, descending ? params.downTolerance : params.upTolerance)) {
        return EditOutcome::Unchanged;
      }
      return CommitRecords(db, records, AfterEdit::RebuildRapids);
    }
  }
  return EditOutcome::Unchanged;
}

}  // namespace fendo
