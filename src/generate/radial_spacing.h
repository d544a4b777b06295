#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class Progress;
class ToolpathDatabase;

// "방사선 간격조절": thinning out a radial (spoke) toolpath near its centre, where neighbouring
// spokes crowd together and the tool cuts the same material again and again. Each spoke is
// shortened at its inner end to a trim radius chosen so that, seen from the centre, spokes stay
// at least the minimum spacing apart; the inner parts cut away become retracts, rapid moves and
// plunges.

// What the command says of a toolpath without FeedStart records: it has no spokes, and is left
// as it was.
inline constexpr std::string_view kNoSpokesText =
    "FeedStart(G01 시작점)가 없어 방사선 경로가 아닙니다. 공구경로를 바꾸지 않았습니다.";

// RadialSpacingDialog's fields, kept between uses; the dialog holds them as 32-bit floats.
struct RadialSpacingParams {
  float centreX = 0;         // mm, "X 중심"
  float centreY = 0;         // mm, "Y 중심"
  float centreZ = 0;         // mm, "Z 중심": kept with the centre; the spacing works in XY
  float smallAngle = 0;      // degrees, "작은 각도"
  float largeAngle = 360;    // degrees, "큰 각도": the spokes share the angle between the two
  float minimumSpacing = 2;  // mm, "최소 간격": above 0
};

// The first value the spacing cannot work with: a value that is not a number, a minimum
// spacing not above 0 (no spoke could be given a trim radius), or a large angle equal to the
// small one (the spokes would share no angle: the step between them would be 0).
std::optional<OptionOutOfRange> CheckRadialSpacingParams(const RadialSpacingParams& params);

// The numbers one run works with, for P spokes (P > 0).
struct SpacingSteps {
  int spokes = 0;            // P: one spoke per FeedStart record
  double step = 0;           // degrees, s = |large angle − small angle| / P
  double halfSpacing = 0;    // mm, h = minimum spacing / 2
  double lowestRadius = 0;   // mm, r_min = h / tan 30°: no trim radius is looked for below it
  int historyCapacity = 0;   // C = the integer part of 30 / s (and never more than 49)
};
SpacingSteps SpacingStepsFor(const RadialSpacingParams& params, int spokes);

// The trim radius of each spoke in turn. Spoke k is taken at the angle θ = k·s, a point at
// radius ρ on it lying at (ρ sin θ, ρ cos θ) from the centre. The first spoke is never
// shortened. For every other one the candidate radii h / tan a, a = s, 2s, …, are tried from
// the outside in, down to r_min, until the candidate point lies at least 1.8 h from the trim
// points of the spokes before it (the history). That point joins the history while it has
// room, and the trim radius becomes h / tan Δ, Δ the angle to the newest earlier trim point
// nearer the centre: the spoke stops where it is h away from that spoke. A full history (or
// Δ with a tangent below 1e−5) starts a new one at the centre with r = 0; a negative radius
// becomes 0.
class SpokeTrims {
 public:
  explicit SpokeTrims(const SpacingSteps& steps) : steps_(steps) {}

  // The trim radius of the next spoke, mm.
  double Next();
  // The first radius tried for the spoke just given (0 for the first spoke), mm.
  double firstCandidate() const { return firstCandidate_; }

 private:
  struct TrimPoint {
    double x, y;    // mm, from the centre
    double radius;  // mm
    double angle;   // degrees, the spoke's
  };
  void StartAtCentre(double angle);
  double NearestDistance(double x, double y) const;

  SpacingSteps steps_;
  int spoke_ = 0;
  double firstCandidate_ = 0;
  std::vector<TrimPoint> history_;
};

// The spacing on the work buffer (after the arc guard: an arc still there is taken as a
// straight move to its end point). The records are walked with the trim radius r of the spoke
// the walk is in (it changes at each FeedStart). A move that lies outside the trim circle is
// kept; one that leaves it starts at the crossing point, reached at safeZ and plunged; one
// that enters it ends at the crossing point with a retract to safeZ; one inside it goes. A
// path that starts outside keeps the rapid moves of its approach, and a spoke entered straight
// down keeps its plunge, so a spoke that lies outside its trim circle comes out as it was. Then
// the rapid moves are rebuilt; the plunges keep their feed (none becomes a rapid move down to
// the cutting height). Every 101 spokes `progress` hears how far the walk has come, in percent
// ("%4.2f").
// Unchanged (nothing done) for a toolpath without FeedStart records, Refused for values
// CheckRadialSpacingParams refuses, NoRoom (nothing changed) when the result would pass the
// record limit; otherwise one undo snapshot and Changed.
EditOutcome SpaceRadialPaths(ToolpathDatabase& db, const RadialSpacingParams& params, Progress* progress = nullptr);

}  // namespace fendo
