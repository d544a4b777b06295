#include "edit/region_boundary.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/geometry.h"
#include "core/screen_polygon.h"
#include "edit/chorded_boundary.h"

namespace fendo {
namespace {

constexpr double kChordDeviation = 0.0002;   // mm the chords followed along an arc stray from it
constexpr double kCrossingPrecision = 0.0002;  // mm of arc an arc crossing is pinned down to
constexpr double kSameCrossing = 1e-12;      // fractions closer than this are one crossing

// The fractions of the straight move a -> b where the coordinate `axis` reaches `level`.
void AddLevelCrossing(Point3 a, Point3 b, double Point3::*axis, double level, std::vector<double>& out) {
  const double span = b.*axis - a.*axis;
  if (span != 0) out.push_back((level - a.*axis) / span);
}

// The box around a straight move.
ModelBox MoveBox(Point3 a, Point3 b) {
  ModelBox box;
  box.Add(a);
  box.Add(b);
  return box;
}

class RectangleRegion final : public ChordedBoundary {
 public:
  RectangleRegion(double x1, double y1, double x2, double y2)
      : minX_(std::min(x1, x2)), minY_(std::min(y1, y2)), maxX_(std::max(x1, x2)), maxY_(std::max(y1, y2)) {}

  bool Inside(Point3 p) const override { return p.x >= minX_ && p.x <= maxX_ && p.y >= minY_ && p.y <= maxY_; }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    if (!MayCross(MoveBox(a, b))) return {};
    std::vector<double> onSides;
    AddLevelCrossing(a, b, &Point3::x, minX_, onSides);
    AddLevelCrossing(a, b, &Point3::x, maxX_, onSides);
    AddLevelCrossing(a, b, &Point3::y, minY_, onSides);
    AddLevelCrossing(a, b, &Point3::y, maxY_, onSides);
    std::vector<double> crossings;
    for (double t : onSides) {
      const Point3 p = a + (b - a) * t;
      // The side's own coordinate is exact; the other one must lie along the side.
      if (OnOrWithin(p.x, minX_, maxX_) && OnOrWithin(p.y, minY_, maxY_)) crossings.push_back(t);
    }
    return OrderedCrossings(std::move(crossings));
  }

 protected:
  bool MayCross(const ModelBox& box) const override {
    const bool apart = box.max.x < minX_ || box.min.x > maxX_ || box.max.y < minY_ || box.min.y > maxY_;
    const bool within = box.min.x > minX_ && box.max.x < maxX_ && box.min.y > minY_ && box.max.y < maxY_;
    return !apart && !within;
  }

 private:
  // Within the range, allowing for the rounding of a point computed on one of its ends.
  static bool OnOrWithin(double v, double low, double high) {
    const double slack = 1e-9 * (1 + std::fabs(low) + std::fabs(high));
    return v >= low - slack && v <= high + slack;
  }

  double minX_, minY_, maxX_, maxY_;
};

class CircleRegion final : public ChordedBoundary {
 public:
  CircleRegion(Point3 centre, double radius, bool rimInside) : centre_(centre), radius_(radius), rimInside_(rimInside) {}

  bool Inside(Point3 p) const override {
    const double d2 = Squared(p.x - centre_.x) + Squared(p.y - centre_.y);
    return rimInside_ ? d2 <= radius_ * radius_ : d2 < radius_ * radius_;
  }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    // |a + t (b - a) - c|² = r² in XY.
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double fx = a.x - centre_.x;
    const double fy = a.y - centre_.y;
    const double qa = dx * dx + dy * dy;
    if (qa == 0) return {};
    const double qb = 2 * (fx * dx + fy * dy);
    const double qc = fx * fx + fy * fy - radius_ * radius_;
    const double discriminant = qb * qb - 4 * qa * qc;
    if (discriminant < 0) return {};
    const double root = std::sqrt(discriminant);
    return OrderedCrossings({(-qb - root) / (2 * qa), (-qb + root) / (2 * qa)});
  }

 protected:
  bool MayCross(const ModelBox& box) const override {
    if (box.max.x < centre_.x - radius_ || box.min.x > centre_.x + radius_ || box.max.y < centre_.y - radius_ ||
        box.min.y > centre_.y + radius_) {
      return false;
    }
    const double r2 = radius_ * radius_;
    for (double x : {box.min.x, box.max.x}) {
      for (double y : {box.min.y, box.max.y}) {
        if (Squared(x - centre_.x) + Squared(y - centre_.y) >= r2) return true;
      }
    }
    return false;  // the whole box lies within the disc
  }

 private:
  static double Squared(double v) { return v * v; }

  Point3 centre_;
  double radius_;
  bool rimInside_;
};

class ZBandRegion final : public ChordedBoundary {
 public:
  ZBandRegion(double zMin, double zMax) : zMin_(zMin), zMax_(zMax) {}

  bool Inside(Point3 p) const override { return p.z >= zMin_ && p.z <= zMax_; }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    if (!MayCross(MoveBox(a, b))) return {};
    std::vector<double> crossings;
    AddLevelCrossing(a, b, &Point3::z, zMin_, crossings);
    AddLevelCrossing(a, b, &Point3::z, zMax_, crossings);
    return OrderedCrossings(std::move(crossings));
  }

 protected:
  bool MayCross(const ModelBox& box) const override {
    const bool apart = box.max.z < zMin_ || box.min.z > zMax_;
    const bool within = box.min.z > zMin_ && box.max.z < zMax_;
    return !apart && !within;
  }

 private:
  double zMin_, zMax_;
};

class ScreenRegion final : public ChordedBoundary {
 public:
  ScreenRegion(std::span<const ClientPoint> polygon, const ViewState& view)
      : polygon_(polygon, view), encloses_(polygon.size() >= 3) {
    for (ClientPoint p : polygon) box_.Add(p);
  }

  bool Inside(Point3 p) const override { return encloses_ && polygon_.Inside(p); }

  std::vector<double> LineCrossings(Point3 a, Point3 b) const override {
    if (!encloses_) return {};
    return OrderedCrossings(polygon_.LineCrossings(a, b));
  }

 protected:
  bool MayCross(const ModelBox& box) const override {
    if (!encloses_) return false;
    ScreenBox picture;
    for (Point3 corner : box.Corners()) picture.Add(polygon_.ToScreen(corner));
    return picture.Overlaps(box_);
  }

 private:
  ScreenPolygon polygon_;
  bool encloses_;
  ScreenBox box_;
};

}  // namespace

void ModelBox::Add(Point3 p) {
  min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
  max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

std::vector<Point3> ModelBox::Corners() const {
  std::vector<Point3> corners;
  for (double x : {min.x, max.x}) {
    for (double y : {min.y, max.y}) {
      for (double z : {min.z, max.z}) corners.push_back({x, y, z});
    }
  }
  return corners;
}

ModelBox BoxAroundArc(const Arc& arc) {
  ModelBox box;
  for (const Point3& corner : CircleBoxCorners(arc)) box.Add(corner);
  return box;
}

std::vector<double> OrderedCrossings(std::vector<double> fractions) {
  std::erase_if(fractions, [](double t) { return !(t > 0 && t < 1); });
  std::sort(fractions.begin(), fractions.end());
  fractions.erase(std::unique(fractions.begin(), fractions.end(),
                              [](double a, double b) { return b - a <= kSameCrossing; }),
                  fractions.end());
  return fractions;
}

std::vector<double> ChordedBoundary::ArcCrossings(const Arc& arc) const {
  if (!(arc.length > 0) || !MayCross(BoxAroundArc(arc))) return {};
  const int chords = ChordCount(arc, kChordDeviation);
  const double chordShare = 1.0 / chords;
  // Rough marks: where a chord crosses, or where two chord points lie on different sides
  // without a crossing between them (the boundary passes through a chord point).
  std::vector<double> marks;
  Point3 from = arc.start;
  bool fromInside = Inside(from);
  for (int k = 1; k <= chords; ++k) {
    const Point3 to = ArcChordPoint(arc, k, chords);
    const bool toInside = Inside(to);
    const std::vector<double> onChord = LineCrossings(from, to);
    for (double t : onChord) marks.push_back((k - 1 + t) * chordShare);
    if (onChord.empty() && fromInside != toInside) marks.push_back((k - 0.5) * chordShare);
    from = to;
    fromInside = toInside;
  }
  marks = OrderedCrossings(std::move(marks));
  // Each mark is pinned down on the arc itself, within its own stretch of the sweep.
  std::vector<double> crossings;
  const double precision = kCrossingPrecision / arc.length;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    double low = i == 0 ? 0 : (marks[i - 1] + marks[i]) / 2;
    double high = i + 1 == marks.size() ? 1 : (marks[i] + marks[i + 1]) / 2;
    low = std::max(low, marks[i] - chordShare);
    high = std::min(high, marks[i] + chordShare);
    const bool lowInside = Inside(ArcPointAt(arc, low));
    if (lowInside == Inside(ArcPointAt(arc, high))) {
      crossings.push_back(marks[i]);  // a touch: the boundary meets the arc without a change of side
      continue;
    }
    while (high - low > precision) {
      const double middle = (low + high) / 2;
      (Inside(ArcPointAt(arc, middle)) == lowInside ? low : high) = middle;
    }
    crossings.push_back((low + high) / 2);
  }
  return OrderedCrossings(std::move(crossings));
}

std::unique_ptr<RegionBoundary> RectangleBoundary(double x1, double y1, double x2, double y2) {
  return std::make_unique<RectangleRegion>(x1, y1, x2, y2);
}

std::unique_ptr<RegionBoundary> CircleBoundary(Point3 centre, double radius, bool rimInside) {
  return std::make_unique<CircleRegion>(centre, radius, rimInside);
}

std::unique_ptr<RegionBoundary> ZBandBoundary(double zMin, double zMax) {
  return std::make_unique<ZBandRegion>(zMin, zMax);
}

std::unique_ptr<RegionBoundary> ScreenPolygonBoundary(std::span<const ClientPoint> polygon, const ViewState& view) {
  return std::make_unique<ScreenRegion>(polygon, view);
}

}  // namespace fendo
