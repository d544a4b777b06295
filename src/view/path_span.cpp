#include "view/path_span.h"

#include "core/toolpath_database.h"

namespace fendo {
namespace {

MoveKind KindOf(ToolpathDatabase& db, int i) { return db.RecordAt(i)->kind; }

// The first cutting record at or after i, or recordCount.
int CuttingFrom(ToolpathDatabase& db, int i) {
  while (i < db.recordCount && !IsCuttingKind(KindOf(db, i))) ++i;
  return i;
}

// The last cutting record at or before i, or −1.
int CuttingBefore(ToolpathDatabase& db, int i) {
  while (i >= 0 && !IsCuttingKind(KindOf(db, i))) --i;
  return i;
}

}  // namespace

PathSpan PathAround(ToolpathDatabase& db, int i) {
  int rapid = i - 1;
  while (rapid >= 0 && !IsRapidKind(KindOf(db, rapid))) --rapid;
  PathSpan path;
  path.first = rapid + 1;
  while (path.first < i && !IsMotionKind(KindOf(db, path.first))) ++path.first;
  path.end = i + 1;
  while (path.end < db.recordCount && !IsRapidKind(KindOf(db, path.end))) ++path.end;
  return path;
}

std::optional<PathSpan> PathOfRecord(ToolpathDatabase& db, int i) {
  if (i < 0 || i >= db.recordCount) return std::nullopt;
  if (IsCuttingKind(KindOf(db, i))) return PathAround(db, i);
  if (const int next = CuttingFrom(db, i + 1); next < db.recordCount) return PathAround(db, next);
  if (const int previous = CuttingBefore(db, i - 1); previous >= 0) return PathAround(db, previous);
  return std::nullopt;
}

std::optional<PathSpan> NextPath(ToolpathDatabase& db, const PathSpan& path) {
  const int next = CuttingFrom(db, path.end);
  if (next >= db.recordCount) return std::nullopt;
  return PathAround(db, next);
}

std::optional<PathSpan> PreviousPath(ToolpathDatabase& db, const PathSpan& path) {
  const int previous = CuttingBefore(db, path.first - 1);
  if (previous < 0) return std::nullopt;
  return PathAround(db, previous);
}

}  // namespace fendo
