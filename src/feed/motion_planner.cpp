#include "feed/motion_planner.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/arc_rule.h"
#include "core/toolpath_database.h"

// The planner walks the program once forward, gathering a compact array of the moves it times
// (length, speed cap, entry speed) and limiting each entry speed to what the acceleration from
// the previous entry reaches; then once backward, limiting each entry speed to what can still
// brake to the next one, and timing each move as its entry and exit speeds are then final.
// Speeds are mm/s, times seconds until the end.

namespace fendo {
namespace {

constexpr double kSecondsPerMinute = 60;
constexpr double kStraight = -0.999999;  // cosines at which a junction counts as straight on
constexpr double kReversal = 0.999999;   // ... or as turning straight back

struct PlannedMove {
  float length;  // mm
  float cap;     // mm/s, the fastest the move may run
  float entry;   // mm/s, the speed it starts at
  bool rapid;
};

Point3 Unit(Point3 v) {
  const double length = Length(v);
  return length > 0 ? v * (1 / length) : Point3{};
}

double Dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3 Cross(Point3 a, Point3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Point3 PlaneNormal(ArcPlane plane) {
  if (plane == ArcPlane::ZX) return {0, 1, 0};
  if (plane == ArcPlane::YZ) return {1, 0, 0};
  return {0, 0, 1};
}

// The direction an arc runs in at point p of it: across the radius, turned its way.
Point3 ArcTangent(const Arc& arc, Point3 p) {
  const Point3 t = Unit(Cross(PlaneNormal(arc.plane), p - arc.centre));
  return arc.kind == MoveKind::ArcCw ? t * -1 : t;
}

// The fastest the path may pass from a move leaving in direction `in` into one starting in
// direction `out`: the speed at which a circle touching both, `deviation` from the corner,
// is run at the acceleration.
double JunctionSpeed(Point3 in, Point3 out, const MachineDynamics& machine) {
  const double cosine = -Dot(in, out);
  if (cosine < kStraight) return INFINITY;
  if (cosine > kReversal) return 0;
  const double sinHalf = std::sqrt(0.5 * (1 - cosine));
  return std::sqrt(machine.acceleration * machine.junctionDeviation * sinHalf / (1 - sinHalf));
}

// Seconds a move of `length` takes from entry speed u to exit speed w, at most `cap`, with a
// trapezoid profile, and never less than the block time.
double MoveSeconds(const PlannedMove& move, double exit, const MachineDynamics& machine) {
  const double a = machine.acceleration;
  const double u = move.entry;
  const double w = exit;
  const double v = move.cap;
  const double peakSquared = (2 * a * move.length + u * u + w * w) / 2;
  double seconds = 0;
  if (peakSquared >= v * v) {
    const double ramps = (2 * v * v - u * u - w * w) / (2 * a);
    seconds = (2 * v - u - w) / a + (move.length - ramps) / v;
  } else {
    const double peak = std::max({std::sqrt(peakSquared), u, w});
    seconds = (2 * peak - u - w) / a;
  }
  return std::max(seconds, machine.blockTime);
}

// The moves of the simple estimate, in order, each with its entry speed limited by its
// junction and by the acceleration from the move before.
class MoveGatherer {
 public:
  MoveGatherer(std::vector<PlannedMove>& moves, const MachineDynamics& machine) : moves_(moves), machine_(machine) {}

  void Add(double length, double cap, Point3 startDirection, Point3 endDirection, bool rapid) {
    if (length <= 0 || cap <= 0) return;
    double entry = 0;
    if (!moves_.empty()) {
      const PlannedMove& before = moves_.back();
      const double reachable = std::sqrt(double{before.entry} * before.entry + 2 * machine_.acceleration * before.length);
      entry = std::min({JunctionSpeed(lastDirection_, startDirection, machine_), double{before.cap}, cap, reachable});
    }
    moves_.push_back({static_cast<float>(length), static_cast<float>(cap), static_cast<float>(entry), rapid});
    lastDirection_ = endDirection;
  }

 private:
  std::vector<PlannedMove>& moves_;
  const MachineDynamics& machine_;
  Point3 lastDirection_;
};

// Walks the moves as the statistics do: each measured from the motion record visited before
// it, a move that starts a run from the motion record before it.
std::vector<PlannedMove> GatherMoves(ToolpathDatabase& db, const MachineDynamics& machine) {
  std::vector<PlannedMove> moves;
  moves.reserve(static_cast<std::size_t>(db.recordCount));
  MoveGatherer gatherer(moves, machine);
  const ToolpathRecord* first = db.RecordAt(0);
  Point3 previous = first ? PositionOf(*first) : Point3{};
  db.ForEachRecord([&](int i, const ToolpathRecord& move) {
    if (IsArcKind(move.kind)) {
      const ToolpathRecord* centre = db.RecordAt(i + 1);
      const Point3 offset = centre ? PositionOf(*centre) : Point3{};
      const ArcPlane plane = centre ? PlaneOfCentreKind(centre->kind) : ArcPlane::XY;
      const Arc arc = MeasureArc(previous, PositionOf(move), offset, move.kind, plane);
      const double centripetal = std::sqrt(machine.acceleration * arc.radius);
      gatherer.Add(arc.length, std::min(move.feed / kSecondsPerMinute, centripetal), ArcTangent(arc, arc.start),
                   ArcTangent(arc, arc.end), false);
      previous = PositionOf(move);
      return;
    }
    const bool linear = IsLinearFeedKind(move.kind);
    if (!linear && !IsRapidKind(move.kind)) return;
    const Point3 point = PositionOf(move);
    if (move.kind == MoveKind::FeedStart || move.kind == MoveKind::RapidStart) {
      db.PrevMotion(i);
      previous = db.cursor.position();
    }
    const Point3 direction = Unit(point - previous);
    const double feed = linear ? move.feed : machine.rapidFeed;
    gatherer.Add(Length(point - previous), feed / kSecondsPerMinute, direction, direction, !linear);
    previous = point;
  });
  return moves;
}

}  // namespace

MachineDynamics InProgramUnit(const MachineDynamics& machine, double unitInMillimetres) {
  return {.acceleration = machine.acceleration / unitInMillimetres,
          .rapidFeed = machine.rapidFeed / unitInMillimetres,
          .junctionDeviation = machine.junctionDeviation / unitInMillimetres,
          .blockTime = machine.blockTime};
}

DynamicTime PlanMotion(ToolpathDatabase& db, const MachineDynamics& machine) {
  std::vector<PlannedMove> moves = GatherMoves(db, machine);
  double cutting = 0;
  double rapid = 0;
  double exit = 0;
  for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
    const double braking = std::sqrt(exit * exit + 2 * machine.acceleration * move->length);
    move->entry = static_cast<float>(std::min(double{move->entry}, braking));
    (move->rapid ? rapid : cutting) += MoveSeconds(*move, exit, machine);
    exit = move->entry;
  }
  return {cutting / kSecondsPerMinute, rapid / kSecondsPerMinute};
}

}  // namespace fendo
