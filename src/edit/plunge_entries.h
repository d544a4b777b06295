#pragma once

#include "edit/plunge.h"

namespace fendo {

// The entries the plunge change builds at a plunge bottom B (the record `bottom`), appended to
// `out`. Each ends with B itself as a Feed, exactly where it was; created moves get `feed`.

// How many records an entry appends at most; a count past the record limit means no room.
double CircleEntrySize(const PlungeParams& params);
double GrooveEntrySize(const PlungeParams& params, int cutVertices);

// "원형": from L above B down to the top of the helix, the turns around B descending R·sin 3a
// each (⌊5R⌋ points a turn), then the circle's start at B's height and B.
void AppendCircleEntry(RecordList& out, const ToolpathRecord& bottom, const PlungeParams& params, int feed);

// The points of the cut that follows B up to the XY distance G from B (the last one on the
// cut at exactly G, or the cut's end when it is shorter), with their XY distances from B.
struct GrooveVertex {
  ToolpathRecord point;
  double distance = 0;  // mm
};
std::vector<GrooveVertex> GrooveVertices(const ToolpathRecord& bottom, const RecordList& records, int cutFrom,
                                         double grooveLength);

// "직선 홈": at rapid to max(P, e·c) above B (and at feed down to e·c when P is higher), then
// e passes, each going along the cut while descending c over G and coming back to B one level
// lower; c = G·sin a, e = ⌊D / c⌋.
void AppendGrooveEntry(RecordList& out, const ToolpathRecord& bottom, const std::vector<GrooveVertex>& cut,
                       const PlungeParams& params, int feed);

// "가공된 지점 통과하기": at rapid to `clearance` above B, then straight down at feed.
void AppendMachinedEntry(RecordList& out, const ToolpathRecord& bottom, double clearance, int feed);

}  // namespace fendo
