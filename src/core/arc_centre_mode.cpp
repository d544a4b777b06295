#include "core/arc_centre_mode.h"

#include <cmath>

#include "core/geometry.h"

namespace fendo {
namespace {

// Whether start and end lie on one circle about `centre`, measured in the plane.
bool EndsAgree(Point3 start, Point3 end, Point3 centre, const PlaneAxes& axes) {
  const auto radius = [&](Point3 p) {
    return std::hypot(p.*axes.first - centre.*axes.first, p.*axes.second - centre.*axes.second);
  };
  return std::abs(radius(start) - radius(end)) <= ArcCentreCheck::kRadiusTolerance;
}

}  // namespace

Point3 AbsoluteCentreOffset(Point3 words, Point3 start, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  words.*axes.first -= start.*axes.first;
  words.*axes.second -= start.*axes.second;
  return words;
}

void ArcCentreCounts::Count(Point3 start, Point3 end, Point3 words, ArcPlane plane) {
  const PlaneAxes axes = AxesOf(plane);
  ++arcs;
  if (EndsAgree(start, end, start + words, axes)) return;
  ++offsetMisfits;
  if (EndsAgree(start, end, words, axes)) ++absoluteFits;
}

ArcCentreCheck CheckArcCentres(const ArcCentreCounts& counts) {
  constexpr std::int64_t kAllPercent = 100;
  const bool enoughArcs = counts.arcs >= ArcCentreCheck::kLeastArcs;
  const bool mostMisfit = 2 * counts.offsetMisfits > counts.arcs;
  const bool misfitsFitAsAbsolute =
      kAllPercent * counts.absoluteFits >= ArcCentreCheck::kAbsoluteFitPercent * counts.offsetMisfits;
  return {.counts = counts, .looksAbsolute = enoughArcs && mostMisfit && misfitsFitAsAbsolute};
}

}  // namespace fendo
