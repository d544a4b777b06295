#include "output/arc_form.h"

#include <cmath>

#include "core/geometry.h"

namespace fendo {
namespace {

constexpr double kFullTurn = 360;  // degrees

double InPlaneDistance(Point3 a, Point3 b, const PlaneAxes& axes) {
  return std::hypot(a.*axes.first - b.*axes.first, a.*axes.second - b.*axes.second);
}

}  // namespace

ArcForm ChooseArcForm(const Arc& arc, bool radiusWords, const ArcFormPrecision& precision) {
  const PlaneAxes axes = AxesOf(arc.plane);
  const double startRadius = InPlaneDistance(arc.start, arc.centre, axes);
  const double endRadius = InPlaneDistance(arc.end, arc.centre, axes);
  // A centre on the start or on the end: offsets below the last digit are not written, and
  // no control turns about a point it stands on.
  if (startRadius < precision.place || endRadius < precision.place) return ArcForm::AsLine;
  // Start and end on different circles: a control stops at the block, and R would hide it.
  if (std::fabs(startRadius - endRadius) > precision.endTolerance) return ArcForm::AsLine;
  if (!radiusWords) return ArcForm::AsAsked;
  if (arc.sweep >= kFullTurn) return ArcForm::ByOffsets;
  // Half a turn: the centre on the chord's midpoint. Only these offsets name it for sure; an
  // R program whose R fell short of half the chord was read as one.
  const Point3 midpoint = (arc.start + arc.end) * 0.5;
  if (InPlaneDistance(midpoint, arc.centre, axes) < precision.place) return ArcForm::ByOffsets;
  return ArcForm::AsAsked;
}

}  // namespace fendo
