#pragma once

#include <vector>

#include "core/point3.h"
#include "edit/record_list.h"
#include "generate/contour_slicing.h"

namespace fendo {

// How the cut points of one plane become contour paths. The link distance L is the largest gap
// a path bridges with the tool down ("최대 연결거리").

// mm: the nearest search along a path looks no farther, so no link is longer.
inline constexpr double kContourSearchBound = 1000;

// The order in which the points are visited, as places in `points`. From the start point (at
// the plane's height) the nearest point begins a path; each following point is the nearest one
// not yet taken, as long as it lies within L of the one before (the nearest search looks no
// farther than 1000 mm). When none does, the next path begins at the point nearest to the start
// point, however far it lies, so every point is taken exactly once. On equal distances the
// point cut first wins.
std::vector<int> NearestNeighbourOrder(PlanePoints points, Point3 start, double link);

// Joins an open path to the next one when its first point lies within L of the next path's
// first point: the first path's first point and the next path's last point change places, and
// the joined run is re-ordered so that each point is followed by the nearest of the points
// after it (on equal distances the one placed first when the run was joined). A path is a
// maximal run of `order` whose neighbours lie at most L apart.
void JoinOpenPaths(PlanePoints points, std::vector<int>& order, double link);

// The paths of `order` written behind `out`: each path of two points or more gets a rapid move
// at safeZ above its first point (RapidStart for the plane's first path, Rapid after a retract),
// a FeedStart down to it, Feed moves along it, a Feed back to its first point when it is closed
// (three places or more, the last within L of the first), and a RapidStart retract to safeZ
// above where it ends. A point that repeats the one just written is left out; a lone point
// (or a run of points all at one place) makes no path.
void AppendContourPaths(PlanePoints points, const std::vector<int>& order, double link, double safeZ,
                        RecordList& out);

}  // namespace fendo
