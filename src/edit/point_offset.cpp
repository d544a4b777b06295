// The point offsets: shifting a region of the toolpath by the offset vector D.
//
// The motion records are walked in order, each move cut at the places it crosses the
// region's boundary (a line at its crossing fractions, an arc at its sweep fractions, found to
// within 0.001 mm). Every piece of a move lies wholly in or out of the region, told by the
// point in its middle, so a move that only touches the boundary at one end is not cut and a
// move that passes through the region has its middle shifted. A piece inside ends at its end
// point + D, one outside at its end point. Where the walk goes from a piece of one side to a
// piece of the other, a straight step joins them at the crossing point X:
//   entering the region: ... X, X + D, (next piece) ...   leaving it: ... X + D, X, ...
// so the inside part is shifted and joined to the rest by a step at each crossing. The side of
// the last point written is carried from move to move: a move starting on the boundary steps
// at its start.
//
// Every motion record is tested in every form of the region, rapid moves and arcs included:
// a path's approach moves with the path's first cut, so the rapid rebuild never brings the tool
// down beside where the shifted cut begins.
//
// Arcs move with their centre records. A centre record holds the centre relative to the arc's
// start, so an arc shifted whole keeps its record as it is and stays the same arc; an arc cut
// at a crossing becomes arcs about the same centre (each piece with its own centre record,
// relative to its own start, which a shift leaves unchanged) joined by the step.
//
// The first record written for a move keeps the move's kind; the steps and the further
// pieces continue it (a FeedStart continues as Feed, a RapidStart as Rapid, an arc's step is a
// Feed). The result is built beside the work buffer and put in its place whole once the finish
// has run on it, so a result past the record limit changes nothing.
//
// "Z 좌표 바같쪽 Offset" follows the Z trim's band (zMin <= z <= zMax, defaults −10 and 10)
// and the other offsets' walk: what lies above or below the band is shifted, a move crossing
// one of the band's planes is cut and stepped there, helical arcs included. It ends with the
// rapid rebuild, like the other offsets whose region reaches the rapid moves: the traverses
// above the band would otherwise be shifted with it, and the rebuild brings them back to the
// retract height.
#include "edit/point_offset.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/arc_rule.h"
#include "core/arc_split.h"
#include "core/post_edit.h"
#include "core/toolpath_database.h"
#include "edit/plunge.h"
#include "edit/record_list.h"
#include "edit/region_boundary.h"

namespace fendo {
namespace {

// The region's complement: the Z band offset shifts what lies outside the band.
class OutsideOf : public RegionBoundary {
 public:
  explicit OutsideOf(std::unique_ptr<RegionBoundary> inner) : inner_(std::move(inner)) {}
  bool Inside(Point3 p) const override { return !inner_->Inside(p); }
  std::vector<double> LineCrossings(Point3 a, Point3 b) const override { return inner_->LineCrossings(a, b); }
  std::vector<double> ArcCrossings(const Arc& arc) const override { return inner_->ArcCrossings(arc); }

 private:
  std::unique_ptr<RegionBoundary> inner_;
};

// The crossings strictly between a move's ends: a move that only touches the boundary at an
// end is decided by its middle.
std::vector<double> Between(std::vector<double> crossings) {
  std::erase_if(crossings, [](double t) { return !(t > 0 && t < 1); });
  return crossings;
}

bool IsTopView(const ViewState& view) { return view.angleA == 0 && view.angleB == 0 && view.angleC == 0; }

ToolpathRecord At(ToolpathRecord r, Point3 p) {
  r.x = static_cast<float>(p.x);
  r.y = static_cast<float>(p.y);
  r.z = static_cast<float>(p.z);
  return r;
}

// One pass of the offset over a compacted list of records.
class OffsetPass {
 public:
  OffsetPass(const RegionBoundary& region, Point3 by) : region_(region), by_(by) {}

  // The records with the region shifted; `shifted` tells whether any point was. Nothing once
  // they pass the record limit: the walk stops there.
  std::optional<RecordList> Run(const RecordList& records, bool& shifted) {
    out_.clear();
    out_.reserve(records.size() + records.size() / 16);
    shifted_ = false;
    const int n = static_cast<int>(records.size());
    int prev = -1;
    for (int i = 0; i < n; i = NextMotionIn(records, i)) {
      if (out_.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return std::nullopt;
      const ToolpathRecord& r = records[i];
      const bool hasCentre = IsArcKind(r.kind) && i + 1 < n && IsCentreKind(records[i + 1].kind);
      if (prev < 0) {
        WriteFirst(records, i, hasCentre);
      } else if (hasCentre) {
        WalkArc(records[prev], r, records[i + 1]);
      } else {
        WalkLine(records[prev], r);
      }
      prev = i;
    }
    shifted = shifted_;
    return std::move(out_);
  }

 private:
  // The first motion record has no move into it: it is shifted when it lies inside.
  void WriteFirst(const RecordList& records, int i, bool hasCentre) {
    const ToolpathRecord& r = records[i];
    inside_ = region_.Inside(PositionOf(r));
    Write(At(r, Placed(PositionOf(r))));
    if (hasCentre) out_.push_back(records[i + 1]);
  }

  void WalkLine(const ToolpathRecord& from, const ToolpathRecord& to) {
    const Point3 a = PositionOf(from);
    const Point3 b = PositionOf(to);
    const std::vector<double> crossings = Between(region_.LineCrossings(a, b));
    bool first = true;
    double start = 0;
    for (std::size_t k = 0; k <= crossings.size(); ++k) {
      const double end = k < crossings.size() ? crossings[k] : 1;
      const Point3 endPoint = k < crossings.size() ? a + (b - a) * end : b;
      StepIfSideChanges(region_.Inside(a + (b - a) * ((start + end) / 2)), a + (b - a) * start, to, first,
                        StepKind(to, first));
      ToolpathRecord piece = At(to, Placed(endPoint));
      piece.kind = first ? to.kind : ContinuationOf(to.kind);
      Write(piece);
      first = false;
      start = end;
    }
  }

  void WalkArc(const ToolpathRecord& from, const ToolpathRecord& to, const ToolpathRecord& centre) {
    const Arc arc =
        MeasureArc(PositionOf(from), PositionOf(to), PositionOf(centre), to.kind, PlaneOfCentreKind(centre.kind));
    const std::vector<double> crossings = Between(region_.ArcCrossings(arc));
    const std::vector<ArcPart> parts = SplitArc(arc, PositionOf(centre), crossings);
    bool first = true;
    double start = 0;
    Point3 startPoint = arc.start;
    for (const ArcPart& part : parts) {
      StepIfSideChanges(region_.Inside(ArcPointAt(arc, (start + part.endFraction) / 2)), startPoint, to, first,
                        MoveKind::Feed);
      Write(At(to, Placed(part.end)));
      out_.push_back(At(centre, part.centreOffset));
      first = false;
      start = part.endFraction;
      startPoint = part.end;
    }
  }

  // Before a piece on the other side from the last point written: the step at the piece's
  // start, to where that point lies on the piece's side.
  void StepIfSideChanges(bool pieceInside, Point3 pieceStart, const ToolpathRecord& move, bool& first,
                         MoveKind kind) {
    if (pieceInside == inside_) return;
    inside_ = pieceInside;
    ToolpathRecord step = At(move, Placed(pieceStart));
    step.kind = kind;
    Write(step);
    first = false;
  }

  // The kind of a step on a straight move: the move's own for its first record, else its
  // continuation.
  static MoveKind StepKind(const ToolpathRecord& move, bool first) {
    return first ? move.kind : ContinuationOf(move.kind);
  }

  Point3 Placed(Point3 p) const { return inside_ ? p + by_ : p; }

  void Write(const ToolpathRecord& r) {
    shifted_ = shifted_ || inside_;
    out_.push_back(r);
  }

  const RegionBoundary& region_;
  const Point3 by_;
  RecordList out_;
  bool inside_ = false;  // the side of the last point written
  bool shifted_ = false;
};

// Puts the shifted records in place of the work buffer's after the finish has run on them.
EditOutcome Finish(ToolpathDatabase& db, RecordList& records, OffsetFinish finish, UndoStep undo) {
  switch (finish) {
    case OffsetFinish::RebuildRapids: return RebuildAndCommit(db, records, undo);
    case OffsetFinish::NormalizePlunges:
      // Nothing runs on the work buffer after the records are put back: they go in as they are.
      NormalizePlunges(records, db.safeZ);
      if (records.size() > static_cast<std::size_t>(ToolpathDatabase::kMaxRecords)) return EditOutcome::NoRoom;
      TakeUndoStep(db, undo);
      return db.ReplaceRecords(records) ? EditOutcome::Changed : EditOutcome::NoRoom;
    case OffsetFinish::NormalizeKindsAndPlunges: {
      const std::unique_ptr<ToolpathDatabase> edited = ScratchStore(db, records);
      if (!edited) return EditOutcome::NoRoom;
      NormalizeKinds(*edited);
      NormalizePlunges(*edited);
      return CommitEdit(db, *edited, undo);
    }
  }
  return EditOutcome::Unchanged;
}

// Runs the pass once for every region, in order, and finishes once.
EditOutcome OffsetEach(ToolpathDatabase& db, std::span<const RegionBoundary* const> regions, Point3 by,
                       OffsetFinish finish, UndoStep undo) {
  if (by == Point3{} || db.recordCount == 0) return EditOutcome::Unchanged;
  RecordList records = CompactedRecords(db);
  bool anyShifted = false;
  for (const RegionBoundary* region : regions) {
    bool shifted = false;
    std::optional<RecordList> next = OffsetPass(*region, by).Run(records, shifted);
    if (!next) return EditOutcome::NoRoom;
    if (!shifted) continue;
    anyShifted = true;
    records = std::move(*next);
  }
  if (!anyShifted) return EditOutcome::Unchanged;
  return Finish(db, records, finish, undo);
}

}  // namespace

EditOutcome OffsetInside(ToolpathDatabase& db, const RegionBoundary& region, Point3 by, OffsetFinish finish,
                         UndoStep undo) {
  const RegionBoundary* regions[] = {&region};
  return OffsetEach(db, regions, by, finish, undo);
}

EditOutcome OffsetInsideRectangle(ToolpathDatabase& db, double x1, double y1, double x2, double y2, Point3 by,
                                  UndoStep undo) {
  return OffsetInside(db, *RectangleBoundary(x1, y1, x2, y2), by, OffsetFinish::NormalizePlunges, undo);
}

EditOutcome OffsetInsideCircle(ToolpathDatabase& db, Point3 centre, double radius, Point3 by, UndoStep undo) {
  return OffsetInside(db, *CircleBoundary(centre, radius, false), by, OffsetFinish::NormalizeKindsAndPlunges, undo);
}

EditOutcome OffsetInsideWindow(ToolpathDatabase& db, ClientPoint a, ClientPoint b, const ViewState& view, Point3 by,
                               UndoStep undo) {
  if (IsTopView(view)) {
    const Point3 p = *ScreenToModel(view, a);
    const Point3 q = *ScreenToModel(view, b);
    return OffsetInsideRectangle(db, p.x, p.y, q.x, q.y, by, undo);
  }
  const ClientPoint corners[] = {a, {b.x, a.y}, b, {a.x, b.y}};
  return OffsetInsideScreenPolygon(db, corners, view, by, undo);
}

EditOutcome OffsetInsideScreenPolygon(ToolpathDatabase& db, std::span<const ClientPoint> polygon,
                                      const ViewState& view, Point3 by, UndoStep undo) {
  return OffsetInside(db, *ScreenPolygonBoundary(polygon, view), by, OffsetFinish::RebuildRapids, undo);
}

EditOutcome OffsetInsidePolygons(ToolpathDatabase& db, std::span<const std::vector<Point3>> polygons, Point3 by,
                                 UndoStep undo) {
  std::vector<std::unique_ptr<RegionBoundary>> boundaries;
  std::vector<const RegionBoundary*> regions;
  for (const std::vector<Point3>& polygon : polygons) {
    boundaries.push_back(ModelPolygonBoundary(polygon));
    regions.push_back(boundaries.back().get());
  }
  return OffsetEach(db, regions, by, OffsetFinish::RebuildRapids, undo);
}

EditOutcome OffsetOutsideZBand(ToolpathDatabase& db, const ZOffsetBand& band, Point3 by, UndoStep undo) {
  const OutsideOf outside(ZBandBoundary(std::min(band.zMin, band.zMax), std::max(band.zMin, band.zMax)));
  return OffsetInside(db, outside, by, OffsetFinish::RebuildRapids, undo);
}

}  // namespace fendo
