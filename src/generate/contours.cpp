// Z-level contours of a finishing path: the slicing, then the linking plane by plane.
#include "generate/contours.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/progress.h"
#include "core/toolpath_database.h"
#include "edit/plunge.h"
#include "edit/record_list.h"
#include "generate/contour_linking.h"
#include "generate/contour_slicing.h"

namespace fendo {
namespace {

using Range = FieldRange<ContourParams>;

constexpr double kFarthest = 10000;  // mm
constexpr double kFinest = 0.001;    // mm: the smallest spacing and link distance

constexpr std::array kRanges = {
    Range{"topZ", "최대 높이", -kFarthest, kFarthest, [](const ContourParams& p) { return p.topZ; }},
    Range{"bottomZ", "최저 높이", -kFarthest, kFarthest, [](const ContourParams& p) { return p.bottomZ; }},
    Range{"zSpacing", "등고선 Z 간격", kFinest, kFarthest, [](const ContourParams& p) { return p.zSpacing; }},
    Range{"startX", "시작점 X좌표", -kFarthest, kFarthest, [](const ContourParams& p) { return p.startX; }},
    Range{"startY", "시작점 Y좌표", -kFarthest, kFarthest, [](const ContourParams& p) { return p.startY; }},
    Range{"maxLink", "최대 연결거리", kFinest, kContourSearchBound, [](const ContourParams& p) { return p.maxLink; }},
};

// The cut points of all planes at most: past twice the record limit the run ends with NoRoom
// rather than fill the memory, as so many points (lone ones aside) could never be written.
constexpr std::size_t kMostCutPoints = 2 * static_cast<std::size_t>(ToolpathDatabase::kMaxRecords);

// What the status bar says while the planes' points are linked.
constexpr std::string_view kSortingHelp = " 도움말: 툴패스를 정렬중 입니다.";

void ReportSorting(Progress* progress, double z, double bottomZ, int plane, int planes) {
  if (!progress) return;
  char text[64];
  std::snprintf(text, sizeof text, "Sorting(%6.2f / %6.2f). ", z, bottomZ);
  progress->Report(text, plane, planes);
}

}  // namespace

std::optional<OptionOutOfRange> CheckContourParams(const ContourParams& params) {
  return CheckFieldRanges<ContourParams>(params, kRanges);
}

std::span<const FieldRange<ContourParams>> ContourRanges() { return kRanges; }

std::optional<ContourParams> ContourPresets(ToolpathDatabase& db, const ContourParams& params) {
  const ToolpathRecord* highest = nullptr;
  const ToolpathRecord* lowest = nullptr;
  db.ForEachRecord([&](int, const ToolpathRecord& r) {
    if (!IsLinearFeedKind(r.kind)) return;
    if (!highest || r.z >= highest->z) highest = &r;
    if (!lowest || r.z <= lowest->z) lowest = &r;
  });
  if (!highest) return std::nullopt;
  ContourParams presets = params;
  presets.topZ = highest->z;
  presets.bottomZ = lowest->z;
  presets.startX = lowest->x;
  presets.startY = lowest->y;
  return presets;
}

EditOutcome GenerateContours(ToolpathDatabase& db, const ContourParams& params, Progress* progress) {
  if (CheckContourParams(params)) return EditOutcome::Refused;
  const ContourPlanes planes{.topZ = params.topZ, .bottomZ = params.bottomZ, .spacing = params.zSpacing};
  const std::optional<ContourCuts> cuts = SlicePath(CompactedRecords(db), planes, kMostCutPoints, progress);
  if (!cuts) return EditOutcome::NoRoom;
  if (cuts->points.empty()) return EditOutcome::Unchanged;

  RecordList contours;
  const int count = static_cast<int>(cuts->Planes());
  if (progress) progress->Report(kSortingHelp, 0, count);
  for (int plane = 0; plane < count; ++plane) {
    const PlanePoints points = cuts->Plane(plane);
    const double z = points.front().z;
    ReportSorting(progress, z, params.bottomZ, plane, count);
    std::vector<int> order = NearestNeighbourOrder(points, {params.startX, params.startY, z}, params.maxLink);
    JoinOpenPaths(points, order, params.maxLink);
    AppendContourPaths(points, order, params.maxLink, db.safeZ, contours);
    // The plunges' normalisation below neither adds nor removes a record here (each path has
    // one plunge, straight down from the rapid move above it): the count is the result's.
    if (contours.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return EditOutcome::NoRoom;
  }
  if (contours.empty()) return EditOutcome::Unchanged;
  NormalizePlunges(contours, db.safeZ);
  return CommitRecords(db, contours, AfterEdit::NormalizeKinds);
}

}  // namespace fendo
