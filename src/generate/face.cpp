// Face milling: one-way passes over a rectangle.
#include "generate/face.h"

#include <array>

#include "core/toolpath_database.h"
#include "generate/stepover_count.h"

namespace fendo {
namespace {

using Range = FieldRange<FaceParams>;

constexpr double kFarthest = 10000;  // mm

constexpr std::array kRanges = {
    Range{"xMax", "X 최대", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.xMax; }},
    Range{"xMin", "X 최소", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.xMin; }},
    Range{"xSize", "X 크기", 0.1, kFarthest, [](const FaceParams& p) { return p.rectangle.xSize; }},
    Range{"yMax", "Y 최대", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.yMax; }},
    Range{"yMin", "Y 최소", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.yMin; }},
    Range{"ySize", "Y 크기", 0.1, kFarthest, [](const FaceParams& p) { return p.rectangle.ySize; }},
    Range{"xCentre", "X 중심", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.xCentre; }},
    Range{"yCentre", "Y 중심", -kFarthest, kFarthest, [](const FaceParams& p) { return p.rectangle.yCentre; }},
    Range{"stepover", "Stepoever", 0.1, 1000, [](const FaceParams& p) { return p.stepover; }},
    Range{"cuttingHeight", "시작 높이", -kFarthest, kFarthest, [](const FaceParams& p) { return p.cuttingHeight; }},
};

}  // namespace

FaceSigns FaceDirectionSigns(FaceDirection direction) {
  switch (direction) {
    case FaceDirection::XPlusYPlus: return {1, -1};
    case FaceDirection::XPlusYMinus: return {-1, 1};
    case FaceDirection::YPlusXPlus: return {1, 1};
    case FaceDirection::YPlusXMinus: return {-1, -1};
  }
  return {1, -1};
}

std::span<const FieldRange<FaceParams>> FaceRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckFaceParams(const FaceParams& params) {
  return CheckFieldRanges<FaceParams>(params, kRanges);
}

GenerateResult GenerateFace(ToolpathDatabase& db, const FaceParams& params) {
  if (CheckFaceParams(params)) return {.outcome = EditOutcome::Refused};
  const CentredRectangle r = CentreAndSize(params.rectangle);
  if (r.sx <= 0 || r.sy <= 0) return {};
  const FaceSigns s = FaceDirectionSigns(params.direction);
  const bool alongX = params.direction == FaceDirection::XPlusYPlus || params.direction == FaceDirection::XPlusYMinus;
  // The passes run along one axis and step along the other.
  const double across = alongX ? r.sy : r.sx;
  const int n = StepCount(across, params.stepover);
  const double step = across / n;
  const double z = params.cuttingHeight;
  GeneratedPath path(db, RoomBehind(db));
  for (int i = 0; i <= n && !path.full(); ++i) {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (alongX) {
      y0 = y1 = r.cy - s.y * (r.sy / 2 - i * step);
      x0 = r.cx - s.x * r.sx / 2;
      x1 = r.cx + s.x * r.sx / 2;
    } else {
      x0 = x1 = r.cx - s.x * (r.sx / 2 - i * step);
      y0 = r.cy - s.y * r.sy / 2;
      y1 = r.cy + s.y * r.sy / 2;
    }
    path.RapidStartAbove(x0, y0);
    path.PlungeTo(x0, y0, z);
    path.FeedTo(x1, y1);
    path.Retract();
  }
  return AppendGenerated(db, path, 0);
}

}  // namespace fendo
