// Subdivision. The pieces are counted before any is made, so a program whose pieces would not
// fit is refused after one light pass instead of being built half way.
#include "edit/subdivision.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/toolpath_database.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

constexpr double kLongestInterval = 10000;  // mm

double MoveLength(const ToolpathRecord& from, const ToolpathRecord& to) {
  return Length(PositionOf(to) - PositionOf(from));
}

// How many pieces the move from `from` to `to` is cut into: 1 when it stays whole.
std::int64_t Pieces(const ToolpathRecord& from, const ToolpathRecord& to, double h) {
  if (!IsLinearFeedKind(to.kind)) return 1;
  const double length = MoveLength(from, to);
  if (!(length > h)) return 1;
  return static_cast<std::int64_t>(std::trunc(length / h)) + 1;
}

}  // namespace

std::optional<OptionOutOfRange> CheckSubdivisionParams(const SubdivisionParams& params) {
  if (params.interval > 0 && params.interval <= kLongestInterval) return std::nullopt;
  return OutOfRange("interval", kSubdivisionCaption, 0, kLongestInterval, params.interval);
}

std::optional<RecordList> SubdividedRecords(const RecordList& records, double h) {
  const int n = static_cast<int>(records.size());
  // 1. Count.
  std::int64_t total = 0;
  for (int i = 0, prev = -1; i < n; ++i) {
    const bool motion = !IsCentreKind(records[i].kind);
    total += motion && prev >= 0 ? Pieces(records[prev], records[i], h) : 1;
    if (total > ToolpathDatabase::kMaxRecords) return std::nullopt;
    if (motion) prev = i;
  }
  // 2. Cut.
  RecordList out;
  out.reserve(static_cast<std::size_t>(total));
  for (int i = 0, prev = -1; i < n; ++i) {
    const ToolpathRecord& r = records[i];
    const bool motion = !IsCentreKind(r.kind);
    const std::int64_t pieces = motion && prev >= 0 ? Pieces(records[prev], r, h) : 1;
    const Point3 from = PositionOf(records[std::max(prev, 0)]);
    const Point3 span = PositionOf(r) - from;
    for (std::int64_t k = 1; k < pieces; ++k) {
      ToolpathRecord piece = r;
      const Point3 p = from + span * (static_cast<double>(k) / static_cast<double>(pieces));
      piece.x = static_cast<float>(p.x);
      piece.y = static_cast<float>(p.y);
      piece.z = static_cast<float>(p.z);
      if (k > 1) piece.kind = MoveKind::Feed;
      out.push_back(piece);
    }
    ToolpathRecord last = r;
    if (pieces > 1) last.kind = MoveKind::Feed;
    out.push_back(last);
    if (motion) prev = i;
  }
  return out;
}

EditOutcome Subdivide(ToolpathDatabase& db, const SubdivisionParams& params) {
  if (CheckSubdivisionParams(params)) return EditOutcome::Refused;
  const RecordList records = CompactedRecords(db);
  const std::optional<RecordList> pieces = SubdividedRecords(records, params.interval);
  if (!pieces) return EditOutcome::NoRoom;
  if (pieces->size() == records.size()) return EditOutcome::Unchanged;
  return CommitRecords(db, *pieces, AfterEdit::Nothing);
}

}  // namespace fendo
