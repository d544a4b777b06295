// One pass of a trim over a program.
//
// Every cutting move is cut at the places where it crosses the boundary and each piece between
// two crossings is put on its side by its middle point, so a move that only touches the
// boundary, or crosses it at a corner, is not cut for nothing. The pieces on the kept side are
// written as cuts (an arc's as arcs about the arc's own centre); a piece on the removed side
// makes the tool retract above where it entered, and the next kept piece brings it down above
// where it leaves. The tool stays retracted over whole moves on the removed side; a rapid move
// takes it where the program goes next, so after one nothing is to be brought down. The rapid
// rebuild after the pass turns the retracts, the rapid moves and the descents between two kept
// cuts into the standard retract, traverse and approach.
#include "edit/trim_pass.h"

#include <algorithm>

#include "core/arc_rule.h"
#include "core/arc_split.h"
#include "core/progress.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

constexpr double kShortestArcPiece = 0.001;  // mm; a kept piece of an arc shorter than this is not written
constexpr std::int64_t kRecordsBetweenReports = 1001;

// A stretch of a move, as fractions of it, wholly on one side.
struct Piece {
  double from = 0;
  double to = 1;
  bool removed = false;
};

ToolpathRecord Placed(ToolpathRecord r, Point3 p, MoveKind kind) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
  r.kind = kind;
  return r;
}

class Trimmer {
 public:
  Trimmer(const TrimRule& rule, double safeZ, RecordList& out) : rule_(rule), safeZ_(safeZ), out_(out) {}

  bool trimmed() const { return trimmed_; }

  // A rapid move or the first move of the program: taken as it is.
  void Keep(const ToolpathRecord& r) {
    out_.push_back(r);
    retracted_ = false;
  }

  void Line(Point3 from, const ToolpathRecord& r) {
    const Point3 to = PositionOf(r);
    const auto pointAt = [&](double t) { return t == 1 ? to : from + (to - from) * t; };
    const std::vector<double> crossings = rule_.boundary.LineCrossings(from, to);
    if (crossings.empty() && !retracted_ && !IsRemoved(pointAt(0.5))) {
      out_.push_back(r);  // most moves: wholly kept
      return;
    }
    const std::vector<Piece> pieces = Pieces(crossings, pointAt);
    const bool within = pieces.front().removed && pieces.back().removed;
    for (const Piece& piece : pieces) {
      const Point3 start = pointAt(piece.from);
      if (piece.removed) {
        Leave(start, r);
        continue;
      }
      Enter(start, r, within);
      out_.push_back(Placed(r, pointAt(piece.to), r.kind));
    }
  }

  void ArcMove(Point3 from, const ToolpathRecord& r, const ToolpathRecord& centre) {
    const Point3 offset = PositionOf(centre);
    const Arc arc = MeasureArc(from, PositionOf(r), offset, r.kind, PlaneOfCentreKind(centre.kind));
    const auto pointAt = [&](double f) { return ArcPointAt(arc, f); };
    const std::vector<Piece> pieces = Pieces(rule_.boundary.ArcCrossings(arc), pointAt);
    const bool within = pieces.front().removed && pieces.back().removed;
    std::vector<double> changes;
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) changes.push_back(pieces[k].to);
    double start = 0;
    Point3 startPoint = arc.start;
    for (const auto& [part, removed] : SidedParts(arc, SplitArc(arc, offset, changes))) {
      if (removed) {
        Leave(startPoint, r);
      } else if ((part.endFraction - start) * arc.length >= kShortestArcPiece) {
        Enter(startPoint, r, within);
        out_.push_back(Placed(r, part.end, r.kind));
        out_.push_back(Placed(centre, part.centreOffset, centre.kind));
      }
      start = part.endFraction;
      startPoint = part.end;
    }
  }

 private:
  bool IsRemoved(Point3 p) const { return rule_.boundary.Inside(p) == (rule_.removed == TrimSide::Inside); }

  // The move's stretches between its crossings, each put on its side by its middle, the
  // neighbours on one side joined.
  template <typename PointAt>
  std::vector<Piece> Pieces(const std::vector<double>& crossings, PointAt pointAt) const {
    std::vector<Piece> pieces;
    double from = 0;
    for (std::size_t k = 0; k <= crossings.size(); ++k) {
      const double to = k < crossings.size() ? crossings[k] : 1;
      const bool removed = IsRemoved(pointAt((from + to) / 2));
      if (!pieces.empty() && pieces.back().removed == removed) {
        pieces.back().to = to;
      } else {
        pieces.push_back({from, to, removed});
      }
      from = to;
    }
    return pieces;
  }

  // The parts of a split arc, each with its side, neighbours on one side joined into one arc
  // (a split the stored points could not hold leaves two stretches in one part).
  std::vector<std::pair<ArcPart, bool>> SidedParts(const Arc& arc, const std::vector<ArcPart>& parts) const {
    std::vector<std::pair<ArcPart, bool>> sided;
    double start = 0;
    for (const ArcPart& part : parts) {
      const bool removed = IsRemoved(ArcPointAt(arc, (start + part.endFraction) / 2));
      if (!sided.empty() && sided.back().second == removed) {
        sided.back().first.endFraction = part.endFraction;
        sided.back().first.end = part.end;
      } else {
        sided.emplace_back(part, removed);
      }
      start = part.endFraction;
    }
    return sided;
  }

  // The path goes over to the removed side at `at`: the tool retracts above it.
  void Leave(Point3 at, const ToolpathRecord& r) {
    trimmed_ = true;
    if (retracted_) return;
    out_.push_back(Placed(r, {at.x, at.y, safeZ_}, MoveKind::RapidStart));
    retracted_ = true;
  }

  // The path comes back to the kept side at `at`: the tool comes down there.
  void Enter(Point3 at, const ToolpathRecord& r, bool withinMove) {
    if (!retracted_) return;
    const TrimDescent descent = withinMove ? rule_.descentWithinMove : rule_.descent;
    out_.push_back(Placed(r, {at.x, at.y, safeZ_}, MoveKind::Rapid));
    out_.push_back(Placed(r, at, descent == TrimDescent::Rapid ? MoveKind::Rapid : MoveKind::FeedStart));
    retracted_ = false;
  }

  const TrimRule& rule_;
  double safeZ_;
  RecordList& out_;
  bool retracted_ = false;  // the tool was taken up above the removed side
  bool trimmed_ = false;
};

}  // namespace

void TrimProgress::Walked(std::int64_t records) {
  done_ += records;
  if (!progress_ || done_ < nextReport_) return;
  nextReport_ = done_ + kRecordsBetweenReports;
  progress_->Report(kTrimProgressText, std::min(done_, total_), total_);
}

void TrimProgress::Finished() {
  if (progress_) progress_->Report(kTrimProgressText, total_, total_);
}

std::optional<TrimmedRecords> TrimRecords(const RecordList& records, const TrimRule& rule, double safeZ,
                                          TrimProgress& progress) {
  TrimmedRecords result;
  result.records.reserve(records.size());
  Trimmer trimmer(rule, safeZ, result.records);
  const int n = static_cast<int>(records.size());
  std::optional<Point3> previous;
  for (int i = 0; i < n;) {
    const ToolpathRecord& r = records[i];
    const bool withCentre = IsArcKind(r.kind) && i + 1 < n && IsCentreKind(records[i + 1].kind);
    const int next = withCentre ? i + 2 : i + 1;
    if (IsMotionKind(r.kind)) {
      if (!previous || IsRapidKind(r.kind)) {
        trimmer.Keep(r);
        if (withCentre) result.records.push_back(records[i + 1]);
      } else if (withCentre) {
        trimmer.ArcMove(*previous, r, records[i + 1]);
      } else {
        trimmer.Line(*previous, r);
      }
      previous = PositionOf(r);
    }
    if (result.records.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return std::nullopt;
    progress.Walked(next - i);
    i = next;
  }
  result.trimmed = trimmer.trimmed();
  return result;
}

}  // namespace fendo
