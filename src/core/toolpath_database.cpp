#include "core/toolpath_database.h"

#include <algorithm>

namespace fendo {
namespace {

// What an out-of-range record becomes: a None record parked at the limit.
constexpr float kRetiredCoordinate = 32700;
constexpr std::int32_t kRetiredFeed = 300;

}  // namespace

void ToolpathDatabase::Retire(ToolpathRecord& r) {
  r.x = r.y = r.z = kRetiredCoordinate;
  r.feed = kRetiredFeed;
  r.kind = MoveKind::None;
}

int ToolpathDatabase::PrevMotion(int i) {
  if (i <= 0) {
    ReadRecord(0);
    return 0;
  }
  for (int j = std::min(i, recordCount) - 1; j >= 0; --j) {
    if (IsMotion(j)) return j;
  }
  return 0;
}

int ToolpathDatabase::NextMotion(int i) {
  for (int j = std::max(i + 1, 0); j < recordCount; ++j) {
    if (IsMotion(j)) return j;
  }
  return 0;
}

std::optional<int> ToolpathDatabase::HasPrevMotion(int i) {
  const int index = PrevMotion(i);
  if (index != 0) return index;
  // Index 0 is the answer only when record 0 really is a motion record before i.
  if (i > 0 && IsMotion(0)) return 0;
  return std::nullopt;
}

std::optional<int> ToolpathDatabase::HasNextMotion(int i) {
  const int index = NextMotion(i);
  if (index == 0) return std::nullopt;
  return index;
}

std::optional<int> ToolpathDatabase::FirstMotion() {
  if (recordCount == 0) return std::nullopt;
  if (IsMotion(0)) return 0;
  return HasNextMotion(0);
}

std::optional<PathRange> ToolpathDatabase::NextPathRange(int p) {
  int b = std::max(p, 1);
  while (b < recordCount && !(IsMotion(b) && !IsRapidKind(cursor.kind))) ++b;
  if (b >= recordCount) return std::nullopt;
  PathRange range;
  range.approachStart = PrevMotion(PrevMotion(b));
  // A last path that no rapid move follows runs to the end of the buffer.
  range.end = b + 1;
  while (range.end < recordCount && !IsRapid(range.end)) ++range.end;
  return range;
}

bool ToolpathDatabase::SetKind(int i, MoveKind kind) {
  if (!IsMotion(i)) return false;
  cursor.kind = kind;
  return WriteRecord(i) != 0;
}

bool ToolpathDatabase::SetPosition(int i, Point3 p) {
  if (!IsMotion(i)) return false;
  cursor.SetPosition(p);
  return WriteRecord(i) != 0;
}

void ToolpathDatabase::SwapPositions(int a, int b) {
  ToolpathRecord* ra = a < recordCount ? buffer_.Find(a) : nullptr;
  ToolpathRecord* rb = b < recordCount ? buffer_.Find(b) : nullptr;
  if (!ra || !rb) return;
  std::swap(ra->x, rb->x);
  std::swap(ra->y, rb->y);
  std::swap(ra->z, rb->z);
  std::swap(ra->feed, rb->feed);
}

void ToolpathDatabase::SwapRecords(int a, int b) {
  ToolpathRecord* ra = a < recordCount ? buffer_.Find(a) : nullptr;
  ToolpathRecord* rb = b < recordCount ? buffer_.Find(b) : nullptr;
  if (ra && rb) std::swap(*ra, *rb);
}

SegmentResult ToolpathDatabase::Segment(int a, int b) {
  ReadRecord(a);
  const Point3 pa = cursor.position();
  ReadRecord(b);
  return VectorBetween(pa, cursor.position());
}

void ToolpathDatabase::InvertSelection() {
  for (int i = 0; i < recordCount; ++i) {
    if (!IsMotion(i)) continue;
    cursor.selected = cursor.selected == 1 ? 0 : 1;
    WriteRecord(i);
  }
}

void ToolpathDatabase::ClearSelection() {
  for (int i = 0; i < recordCount; ++i) {
    if (!IsMotion(i) || cursor.selected != 1) continue;
    cursor.selected = 0;
    WriteRecord(i);
  }
}

bool ToolpathDatabase::SaveToLayer(int slot) {
  if (!LayerTable::IsSlot(slot)) return false;
  RecordBlock& block = layers[slot].points;
  if (!block.Allocate(recordCount)) return false;
  buffer_.CopyOut(recordCount, block.data());
  return true;
}

bool ToolpathDatabase::LoadFromLayer(int slot) {
  if (!LayerTable::IsSlot(slot)) return false;
  const RecordBlock& block = layers[slot].points;
  if (!block.allocated() || !buffer_.CopyIn(block.data(), block.count())) {
    recordCount = 0;
    return false;
  }
  recordCount = block.count();
  return true;
}

bool ToolpathDatabase::ClaimRecords(int count) {
  constexpr int kChunk = WorkBuffer::kChunkRecords;
  // The writes land past the records still to be read, and are overwritten by the replacement.
  cursor = {};
  for (int i = recordCount; i < count; i = (i / kChunk + 1) * kChunk) {
    if (!WriteRecord(i)) return false;
  }
  return true;
}

bool ToolpathDatabase::ReplaceRecords(std::span<const ToolpathRecord> records) {
  if (records.size() > static_cast<std::size_t>(kMaxRecords)) return false;
  const int count = static_cast<int>(records.size());
  if (!ClaimRecords(count)) return false;
  for (int i = 0; i < count; ++i) {
    cursor = ToCursor(records[i]);
    WriteRecord(i);
  }
  recordCount = count;
  return true;
}

bool ToolpathDatabase::ReplaceRecords(ToolpathDatabase& scratch) {
  if (!ClaimRecords(scratch.recordCount)) return false;
  scratch.ForEachRecord([this](int i, const ToolpathRecord& r) {
    cursor = ToCursor(r);
    WriteRecord(i);
  });
  recordCount = scratch.recordCount;
  return true;
}

void ToolpathDatabase::Clear() {
  buffer_.Clear();
  recordCount = 0;
}

void ToolpathDatabase::KeepLatestRecordsOnly() {
  // The reader looks back only at the last motion record it stored, and an arc's two records
  // may straddle a chunk border: a few chunks hold all it ever reads again.
  constexpr int kFollowedChunks = 4;
  buffer_.KeepLatestChunks(kFollowedChunks);
  recordCount = 0;
}

std::size_t ToolpathDatabase::HeldBytes() const {
  std::size_t bytes = buffer_.HeldBytes() + layers.HeldBytes();
  for (const RecordBlock& snapshot : snapshots_) bytes += snapshot.HeldBytes();
  return bytes;
}

}  // namespace fendo
