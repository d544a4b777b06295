#pragma once

namespace fendo {

class CFendoView;

// The filtering and arc conversion commands of the view: they reduce or reshape the records of
// the work buffer before output. None of them goes into the undo ring.

// "Ncdata(G01) 필터링": drops the straight feed points that lie within the tolerance asked for
// of a longer straight move.
void FilterLinearCommand(CFendoView& view);
// "Ncdata(G02, G03) 필터링": replaces by straight moves the arcs whose middle lies within the
// tolerance asked for of their chord.
void FilterArcsCommand(CFendoView& view);
// "Ncdata 재생성": the kinds of the records put in order again (NormalizeKinds), nothing else.
void RegenerateNcDataCommand(CFendoView& view);
// "Linear <--> ARC": the "Arc Convert" dialog, then arcs to lines or lines to arcs.
void ArcConvertCommand(CFendoView& view);

}  // namespace fendo
