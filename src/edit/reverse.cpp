#include "edit/reverse.h"

#include <algorithm>

#include "core/screen_polygon.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

MoveKind OtherSense(MoveKind arc) { return arc == MoveKind::ArcCw ? MoveKind::ArcCcw : MoveKind::ArcCw; }

// The move into `to` when it comes from `from` along the move `along` (the old move from `to`
// to `from`): its kind and feed, and for an arc the centre record measured from `from`.
void AppendReversedMove(RecordList& out, ToolpathRecord to, const ToolpathRecord& from, const ToolpathRecord& along,
                        const ToolpathRecord* alongCentre) {
  to.feed = along.feed;
  if (!IsArcKind(along.kind) || !alongCentre) {
    to.kind = IsArcKind(along.kind) ? MoveKind::Feed : along.kind;
    out.push_back(to);
    return;
  }
  to.kind = OtherSense(along.kind);
  out.push_back(to);
  // The old arc ran from `to` to `from`: its centre is `to` + offset.
  ToolpathRecord centre = *alongCentre;
  centre.x = static_cast<float>(double{to.x} + alongCentre->x - from.x);
  centre.y = static_cast<float>(double{to.y} + alongCentre->y - from.y);
  centre.z = static_cast<float>(double{to.z} + alongCentre->z - from.z);
  out.push_back(centre);
}

const ToolpathRecord* CentreOf(const RecordList& records, int motion, int end) {
  const int next = motion + 1;
  return next < end && IsCentreKind(records[next].kind) ? &records[next] : nullptr;
}

// Marks, for each record, whether it belongs to a path whose first cutting record is seen
// inside the polygon: that record, the two motion records before it, and everything up to and
// including the next rapid record.
std::vector<bool> MarkedInPolygon(const RecordList& records, const ScreenPolygon& polygon) {
  std::vector<bool> marked(records.size(), false);
  const int n = static_cast<int>(records.size());
  bool afterRapid = true;
  for (int i = 0; i < n; ++i) {
    const MoveKind kind = records[i].kind;
    if (IsCentreKind(kind)) continue;
    const bool pathStart = IsCuttingKind(kind) && afterRapid;
    afterRapid = IsRapidKind(kind);
    if (!pathStart || !polygon.Inside(PositionOf(records[i]))) continue;
    // The traverse and the approach: rapid records only, so that a program without them does
    // not lend the end of the path before to this one.
    int begin = i;
    for (int back = 0; back < 2; ++back) {
      const int prev = PrevMotionIn(records, begin);
      if (prev < 0 || !IsRapidKind(records[prev].kind)) break;
      begin = prev;
    }
    int end = i;
    while (end < n && !IsRapidKind(records[end].kind)) ++end;
    end = std::min(end + 1, n);
    for (int k = begin; k < end; ++k) marked[k] = true;
  }
  return marked;
}

// The marked records first, then the others, each in their old order; the count of marked.
int MarkedFirst(RecordList& records, const std::vector<bool>& marked) {
  RecordList front;
  RecordList back;
  for (std::size_t i = 0; i < records.size(); ++i) (marked[i] ? front : back).push_back(records[i]);
  const int count = static_cast<int>(front.size());
  front.insert(front.end(), back.begin(), back.end());
  records = std::move(front);
  return count;
}

}  // namespace

void ReverseRecords(RecordList& records, int first, int end) {
  std::vector<int> motions;
  for (int i = first; i < end; ++i) {
    if (IsMotionKind(records[i].kind)) motions.push_back(i);
  }
  if (motions.empty()) return;
  RecordList out;
  out.reserve(end - first);
  const int last = static_cast<int>(motions.size()) - 1;
  // The old last record is reached as the old first was.
  ToolpathRecord head = records[motions[last]];
  const ToolpathRecord& entry = records[motions[0]];
  head.kind = IsArcKind(entry.kind) ? MoveKind::Feed : entry.kind;
  head.feed = entry.feed;
  out.push_back(head);
  for (int j = last - 1; j >= 0; --j) {
    const int from = motions[j + 1];
    AppendReversedMove(out, records[motions[j]], records[from], records[from], CentreOf(records, from, end));
  }
  std::copy(out.begin(), out.end(), records.begin() + first);
  for (int i = first + static_cast<int>(out.size()); i < end; ++i) records[i] = ToolpathRecord{};
}

void ReverseRange(ToolpathDatabase& db, int first, int end) {
  if (first < 0 || end > db.recordCount || first >= end) return;
  RecordList stretch;
  stretch.reserve(end - first);
  for (int i = first; i < end; ++i) stretch.push_back(*db.RecordAt(i));
  ReverseRecords(stretch, 0, end - first);
  for (int i = first; i < end; ++i) {
    db.cursor = ToCursor(stretch[i - first]);
    db.WriteRecord(i);
  }
}

void ReverseParams::SetDirection(bool on) {
  direction = on;
  if (on) twoWay = false;
}

void ReverseParams::SetOrder(bool on) {
  order = on;
  if (on) twoWay = false;
}

void ReverseParams::SetTwoWay(bool on) {
  twoWay = on;
  if (on) direction = order = false;
}

EditOutcome ReversePaths(ToolpathDatabase& db, const ReverseParams& params, std::span<const ClientPoint> polygon,
                         const ViewState& view) {
  if (!params.direction && !params.order && !params.twoWay) return EditOutcome::Unchanged;
  RecordList records = CompactedRecords(db);
  // 1. The marked paths come first; the steps below work on them only.
  int reach = static_cast<int>(records.size());
  if (params.polygon) {
    if (polygon.size() < 3) return EditOutcome::Unchanged;
    const std::vector<bool> marked = MarkedInPolygon(records, ScreenPolygon(polygon, view));
    reach = MarkedFirst(records, marked);
  }
  if (reach == 0) return EditOutcome::Unchanged;
  // 2. Every path, or every second one.
  if (params.direction || params.twoWay) {
    bool reverse = params.direction;
    for (const ListRange& range : PathRangesIn(records, 0, reach)) {
      if (reverse) ReverseRecords(records, range.begin, range.end);
      if (!params.direction) reverse = !reverse;
    }
    CompactInPlace(records);
  }
  // 3. The whole stretch as one: the paths in reverse order, each reversed once more.
  if (params.order) {
    ReverseRecords(records, 0, reach);
    CompactInPlace(records);
  }
  return CommitRecords(db, records, AfterEdit::RebuildRapids);
}

EditOutcome ReverseOnePath(ToolpathDatabase& db, int record) {
  if (!db.IsMotion(record) || IsRapidKind(db.cursor.kind)) return EditOutcome::Unchanged;
  // The list holds the work buffer's records without the None ones: find `record` in it.
  int picked = 0;
  for (int i = 0; i < record; ++i) {
    const MoveKind kind = db.RecordAt(i)->kind;
    if (IsMotionKind(kind) || (IsCentreKind(kind) && i > 0 && IsArcKind(db.RecordAt(i - 1)->kind))) ++picked;
  }
  RecordList records = CompactedRecords(db);
  for (const ListRange& range : PathRangesIn(records, 0, static_cast<int>(records.size()))) {
    if (picked < range.begin || picked >= range.end) continue;
    ReverseRecords(records, range.begin, range.end);
    CompactInPlace(records);
    return CommitRecords(db, records, AfterEdit::RebuildRapids);
  }
  return EditOutcome::Unchanged;
}

}  // namespace fendo
