#include "edit/plunge_entries.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/angle_units.h"

namespace fendo {
namespace {

constexpr double kPointsPerRadius = 5;  // helix points per turn for each mm of radius

ToolpathRecord At(const ToolpathRecord& bottom, double x, double y, double z, MoveKind kind, int feed) {
  ToolpathRecord r = bottom;
  r.x = static_cast<float>(x);
  r.y = static_cast<float>(y);
  r.z = static_cast<float>(z);
  r.kind = kind;
  r.feed = feed;
  return r;
}

ToolpathRecord Above(const ToolpathRecord& bottom, double height, MoveKind kind, int feed) {
  return At(bottom, bottom.x, bottom.y, bottom.z + height, kind, feed);
}

ToolpathRecord Bottom(const ToolpathRecord& bottom, int feed) {
  ToolpathRecord r = bottom;
  r.kind = MoveKind::Feed;
  r.feed = feed;
  return r;
}

double Radians(double degrees) { return degrees * kRadiansPerDegree; }

double DescentPerTurn(const PlungeParams& p) { return p.circleRadius * std::sin(Radians(3 * p.circlePitch)); }
double DescentPerPass(const PlungeParams& p) { return p.grooveLength * std::sin(Radians(p.groovePitch)); }
double Turns(const PlungeParams& p) { return std::trunc(p.circleDepth / DescentPerTurn(p)); }
double Passes(const PlungeParams& p) { return std::trunc(p.grooveDepth / DescentPerPass(p)); }
int PointsPerTurn(const PlungeParams& p) { return static_cast<int>(std::trunc(kPointsPerRadius * p.circleRadius)); }

}  // namespace

double CircleEntrySize(const PlungeParams& params) { return 4 + Turns(params) * PointsPerTurn(params); }

double GrooveEntrySize(const PlungeParams& params, int cutVertices) {
  return 3 + Passes(params) * (2.0 * cutVertices + 1);
}

void AppendCircleEntry(RecordList& out, const ToolpathRecord& bottom, const PlungeParams& params, int feed) {
  const double r = params.circleRadius;
  const double d = DescentPerTurn(params);
  const int turns = static_cast<int>(Turns(params));
  const int n = PointsPerTurn(params);
  out.push_back(Above(bottom, params.circleLength, MoveKind::Rapid, feed));
  out.push_back(Above(bottom, turns * d, MoveKind::FeedStart, feed));
  for (int k = turns; k >= 1; --k) {
    for (int i = 0; i < n; ++i) {
      const double angle = 2 * std::numbers::pi * i / n;
      out.push_back(At(bottom, bottom.x + r * std::cos(angle), bottom.y + r * std::sin(angle),
                       bottom.z + k * d - i * d / n, MoveKind::Feed, feed));
    }
  }
  out.push_back(At(bottom, bottom.x + r, bottom.y, bottom.z, MoveKind::Feed, feed));
  out.push_back(Bottom(bottom, feed));
}

std::vector<GrooveVertex> GrooveVertices(const ToolpathRecord& bottom, const RecordList& records, int cutFrom,
                                         double grooveLength) {
  std::vector<GrooveVertex> cut;
  ToolpathRecord last = bottom;
  double distance = 0;
  for (int i = cutFrom; i < static_cast<int>(records.size()) && IsCuttingKind(records[i].kind);
       i = NextMotionIn(records, i)) {
    const ToolpathRecord& p = records[i];
    const double step = std::hypot(double{p.x} - last.x, double{p.y} - last.y);
    if (distance + step >= grooveLength) {
      const double t = (grooveLength - distance) / step;
      cut.push_back({At(bottom, last.x + t * (p.x - last.x), last.y + t * (p.y - last.y), last.z + t * (p.z - last.z),
                        MoveKind::Feed, 0),
                     grooveLength});
      return cut;
    }
    distance += step;
    cut.push_back({p, distance});
    last = p;
  }
  return cut;
}

void AppendGrooveEntry(RecordList& out, const ToolpathRecord& bottom, const std::vector<GrooveVertex>& cut,
                       const PlungeParams& params, int feed) {
  const double c = DescentPerPass(params);
  const int passes = static_cast<int>(Passes(params));
  const double top = passes * c;
  // Never at rapid below P above B, and never up again once down.
  out.push_back(Above(bottom, std::max(params.groovePlungeLength, top), MoveKind::Rapid, feed));
  if (params.groovePlungeLength > top) out.push_back(Above(bottom, top, MoveKind::FeedStart, feed));
  const auto cutting = [&out, feed](ToolpathRecord r) {
    r.kind = IsRapidKind(out.back().kind) ? MoveKind::FeedStart : MoveKind::Feed;
    r.feed = feed;
    out.push_back(r);
  };
  for (int k = passes; k >= 1; --k) {
    const double level = bottom.z + k * c;
    for (const GrooveVertex& v : cut) {
      ToolpathRecord p = v.point;
      p.z = static_cast<float>(std::max(level - c * v.distance / params.grooveLength, double{v.point.z}));
      cutting(p);
    }
    for (auto v = cut.rbegin() + (cut.empty() ? 0 : 1); v != cut.rend(); ++v) {
      ToolpathRecord p = v->point;
      p.z = static_cast<float>(std::max(level - c, double{v->point.z}));
      cutting(p);
    }
    if (k > 1) cutting(Above(bottom, (k - 1) * c, MoveKind::Feed, feed));
  }
  cutting(bottom);
}

void AppendMachinedEntry(RecordList& out, const ToolpathRecord& bottom, double clearance, int feed) {
  out.push_back(Above(bottom, clearance, MoveKind::Rapid, feed));
  ToolpathRecord b = Bottom(bottom, feed);
  b.kind = MoveKind::FeedStart;
  out.push_back(b);
}

}  // namespace fendo
