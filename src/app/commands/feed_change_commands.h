#pragma once

namespace fendo {

class CFendoView;

// The feed change commands of the view's "Feed 제어" and "편집" menus: each asks for its
// values in a dialog, changes the feeds of the work buffer's moves and redraws. None of them
// goes into the undo ring.

// "Arc(G02,G03)에 의한 feed 변경": arcs slowed by their radius.
void ArcRadiusFeedCommand(CFendoView& view);
// "이송량에 의한 feed 변경": runs of short straight moves slowed by their length.
void MoveLengthFeedCommand(CFendoView& view);
// "기계조건에 의한 feed 변경": feeds lowered so that the machine's block buffer does not run dry.
void MachineFeedCommand(CFendoView& view);
// "Window로 최대 feed 변경" and "Window로 최소 feed 변경": the feed limited inside one window
// after another, until ESC.
void WindowMaxFeedCommand(CFendoView& view);
void WindowMinFeedCommand(CFendoView& view);
// "Poly Window로 최대 feed 변경" and "Poly Window로 최소 feed 변경": the feed limited inside one
// polygon.
void PolygonMaxFeedCommand(CFendoView& view);
void PolygonMinFeedCommand(CFendoView& view);
// "FF CUT": the odd paths at one feed, then the even paths at another.
void FfCutCommand(CFendoView& view);
// "피드변경": one feed for every move, which also becomes the work feed.
void WholePathFeedCommand(CFendoView& view);

}  // namespace fendo
