// Radial spacing. The trim radius of each spoke depends only on its number, the angular step
// between spokes and the spacing (SpokeTrims); the walk then rewrites the program move by move
// against the trim circle of the spoke it is in, building the result beside the work buffer so
// that one that does not fit changes nothing.
#include "generate/radial_spacing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "core/angle_units.h"
#include "core/progress.h"
#include "core/toolpath_database.h"
#include "edit/record_list.h"

namespace fendo {
namespace {

constexpr double kRadiansPerSpacingDegree = kArcLengthPi / 180;
constexpr double kWidestSpokeAngle = 30;   // degrees: spokes this far apart need no trimming
constexpr int kHistoryLimit = 49;          // trim points a history holds at most
constexpr double kClearance = 1.8;         // a candidate point stands this many h from the history
constexpr double kParallelTangent = 0.00001;
constexpr int kSpokesBetweenReports = 101;

double Tan(double degrees) { return std::tan(degrees * kRadiansPerSpacingDegree); }

// A value refused for a reason other than a range: the message says which.
OptionOutOfRange Refusal(std::string_view field, std::string_view label, std::string message) {
  return {field, label, std::move(message)};
}

// The XY distance of a record from the centre.
struct Centre {
  double x, y;  // mm
  double DistanceOf(const ToolpathRecord& r) const { return std::hypot(r.x - x, r.y - y); }
};

// The point of the move from a to b whose XY distance from the centre is `radius`: the last
// such point when the move leaves the circle, the first when it enters. Nothing when the move
// has no XY travel or (by rounding) never reaches that distance.
std::optional<Point3> Crossing(const ToolpathRecord& a, const ToolpathRecord& b, const Centre& c, double radius,
                               bool leaving) {
  const double dx = double{b.x} - a.x, dy = double{b.y} - a.y;
  const double ax = a.x - c.x, ay = a.y - c.y;
  const double qa = dx * dx + dy * dy;
  if (qa == 0) return std::nullopt;
  const double qb = 2 * (ax * dx + ay * dy);
  const double qc = ax * ax + ay * ay - radius * radius;
  const double discriminant = qb * qb - 4 * qa * qc;
  if (discriminant < 0) return std::nullopt;
  const double root = std::sqrt(discriminant);
  const double t = std::clamp((leaving ? -qb + root : -qb - root) / (2 * qa), 0.0, 1.0);
  return Point3{a.x + t * dx, a.y + t * dy, a.z + t * (double{b.z} - a.z)};
}

// The rewritten program, record by record.
class SpacedProgram {
 public:
  SpacedProgram(const RecordList& in, double safeZ) : in_(in), safeZ_(static_cast<float>(safeZ)) {
    out_.reserve(in.size());
  }

  // Record i as it stands; an arc becomes the straight move to its end point.
  void Copy(int i) {
    ToolpathRecord r = in_[i];
    if (IsArcKind(r.kind)) r.kind = MoveKind::Feed;
    out_.push_back(r);
  }
  // Record i moved to `p`, with `kind`.
  void At(int i, Point3 p, MoveKind kind) {
    ToolpathRecord r = in_[i];
    r.x = static_cast<float>(p.x);
    r.y = static_cast<float>(p.y);
    r.z = static_cast<float>(p.z);
    r.kind = kind;
    out_.push_back(r);
  }
  void Above(int i, Point3 p, MoveKind kind) { At(i, {p.x, p.y, safeZ_}, kind); }
  // The approach of the path record i starts: the rapid moves among the two motion records
  // before it. A cut there is the end of the path before, which must not be cut again.
  void Approach(int i) {
    const int before = PrevMotionIn(in_, i);
    if (before < 0 || !IsRapidKind(in_[before].kind)) return;
    const int further = PrevMotionIn(in_, before);
    if (further >= 0 && IsRapidKind(in_[further].kind)) Copy(further);
    Copy(before);
  }

  const RecordList& records() const { return out_; }

 private:
  const RecordList& in_;
  float safeZ_;
  RecordList out_;
};

int CountFeedStarts(const RecordList& records) {
  return static_cast<int>(
      std::ranges::count_if(records, [](const ToolpathRecord& r) { return r.kind == MoveKind::FeedStart; }));
}

void ReportSpoke(Progress* progress, int spoke, int spokes) {
  if (!progress || spoke % kSpokesBetweenReports != 0) return;
  char text[32];
  std::snprintf(text, sizeof text, "%4.2f", spoke * 100.0 / spokes);
  progress->Report(text, spoke, spokes);
}

}  // namespace

std::optional<OptionOutOfRange> CheckRadialSpacingParams(const RadialSpacingParams& p) {
  const struct {
    std::string_view field;
    std::string_view label;
    float value;
  } numbers[] = {{"centreX", "X 중심", p.centreX},       {"centreY", "Y 중심", p.centreY},
                 {"centreZ", "Z 중심", p.centreZ},       {"smallAngle", "작은 각도", p.smallAngle},
                 {"largeAngle", "큰 각도", p.largeAngle}, {"minimumSpacing", "최소 간격", p.minimumSpacing}};
  for (const auto& n : numbers) {
    if (!std::isfinite(n.value)) {
      return Refusal(n.field, n.label, std::string(n.field) + " (" + std::string(n.label) + ") must be a number");
    }
  }
  if (!(p.minimumSpacing > 0)) return Refusal("minimumSpacing", "최소 간격", "minimumSpacing (최소 간격) must lie above 0");
  if (p.largeAngle == p.smallAngle) {
    return Refusal("largeAngle", "큰 각도", "largeAngle (큰 각도) must differ from smallAngle (작은 각도)");
  }
  return std::nullopt;
}

SpacingSteps SpacingStepsFor(const RadialSpacingParams& params, int spokes) {
  SpacingSteps steps;
  steps.spokes = spokes;
  steps.step = std::abs(double{params.largeAngle} - params.smallAngle) / spokes;
  steps.halfSpacing = params.minimumSpacing / 2.0;
  steps.lowestRadius = steps.halfSpacing / Tan(kWidestSpokeAngle);
  steps.historyCapacity = std::min(static_cast<int>(kWidestSpokeAngle / steps.step), kHistoryLimit);
  return steps;
}

void SpokeTrims::StartAtCentre(double angle) { history_.assign(1, TrimPoint{0, 0, 0, angle}); }

double SpokeTrims::NearestDistance(double x, double y) const {
  double nearest = std::numeric_limits<double>::infinity();
  for (const TrimPoint& p : history_) nearest = std::min(nearest, std::hypot(x - p.x, y - p.y));
  return nearest;
}

double SpokeTrims::Next() {
  const int k = spoke_++;
  const double h = steps_.halfSpacing;
  if (k == 0) {
    firstCandidate_ = 0;
    StartAtCentre(0);
    return 0;
  }
  const double theta = k * steps_.step;
  const double sinTheta = std::sin(theta * kRadiansPerSpacingDegree);
  const double cosTheta = std::cos(theta * kRadiansPerSpacingDegree);
  // From the outside in: the first candidate clear of the trim points before it.
  double a = steps_.step;
  double r = h / Tan(a);
  firstCandidate_ = r;
  std::optional<TrimPoint> candidate;
  while (r > steps_.lowestRadius) {
    candidate = TrimPoint{r * sinTheta, r * cosTheta, r, theta};
    if (NearestDistance(candidate->x, candidate->y) >= kClearance * h) break;
    a += steps_.step;
    r = h / Tan(a);
  }
  if (candidate && static_cast<int>(history_.size()) < steps_.historyCapacity) {
    history_.push_back(*candidate);
    // The spoke stops h away from the newest earlier spoke whose trim point lies nearer the
    // centre than its own.
    for (auto older = history_.rbegin() + 1; older != history_.rend(); ++older) {
      if (older->radius >= candidate->radius) continue;
      const double tangent = Tan(theta - older->angle);
      if (std::abs(tangent) < kParallelTangent) {
        StartAtCentre(theta);
        r = 0;
      } else {
        r = h / tangent;
      }
      break;
    }
  } else {
    StartAtCentre(theta);
    r = 0;
  }
  return std::max(r, 0.0);
}

EditOutcome SpaceRadialPaths(ToolpathDatabase& db, const RadialSpacingParams& params, Progress* progress) {
  if (CheckRadialSpacingParams(params)) return EditOutcome::Refused;
  const RecordList in = CompactedRecords(db);
  const int spokes = CountFeedStarts(in);
  if (spokes == 0) return EditOutcome::Unchanged;
  const Centre centre{params.centreX, params.centreY};
  SpokeTrims trims(SpacingStepsFor(params, spokes));
  SpacedProgram out(in, db.safeZ);
  const int n = static_cast<int>(in.size());
  int spoke = 0;
  double r = 0;
  // The first record is taken as reached from where it stands: no move crosses into it.
  int prev = -1;
  double dPrev = n > 0 ? centre.DistanceOf(in[0]) : 0;
  for (int i = 0; i < n; i = NextMotionIn(in, i)) {
    const ToolpathRecord& rec = in[i];
    const bool startsPath = rec.kind == MoveKind::FeedStart;
    if (startsPath) {
      ReportSpoke(progress, spoke, spokes);
      r = trims.Next();
      ++spoke;
    }
    // A move straight down (a spoke's plunge) has the same distance at both ends, so it lies
    // wholly inside or outside the trim circle like any other move.
    const double d = centre.DistanceOf(rec);
    const bool isRapid = IsRapidKind(rec.kind);
    if (d >= r && dPrev >= r) {
      if (startsPath) out.Approach(i);
      out.Copy(i);
    } else if (d >= r) {
      if (const std::optional<Point3> x = Crossing(in[prev], rec, centre, r, true)) {
        out.Above(i, *x, MoveKind::Rapid);
        if (!isRapid) out.At(i, *x, MoveKind::FeedStart);
        out.Copy(i);
      }
    } else if (dPrev >= r) {
      if (const std::optional<Point3> x = Crossing(in[prev], rec, centre, r, false)) {
        if (startsPath) out.Approach(i);
        out.At(i, *x, IsArcKind(rec.kind) ? MoveKind::Feed : rec.kind);
        if (!isRapid) out.Above(i, *x, MoveKind::RapidStart);
      }
    }
    dPrev = d;
    prev = i;
  }
  // The plunges stay as they are written: a spoke's own plunge at its feed, and the plunge
  // from safeZ where a cut now starts at the trim circle. Normalising them would turn every one
  // into a rapid move down to the cutting height, into material the trimmed spoke never cut.
  return CommitRecords(db, out.records(), AfterEdit::RebuildRapids);
}

}  // namespace fendo
