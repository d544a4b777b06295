#pragma once

#include <optional>
#include <string>

#include "core/point3.h"

namespace fendo {

class ToolpathDatabase;
class ViewSurface;

// The read-outs of the status bar and of the view's corner. Numbers are written as the C
// library writes "%3.3f" and "%4d" in the C locale: a decimal point whatever the user's
// settings, and at least the width given (spaces in front).

// The G, X, Y, Z, R and F panes for one record: "G00" with an empty R pane and "F:" for a
// rapid move, "G01" with "F:%4d" for a straight cut, "G02"/"G03" with "F:%4d" and "R:%3.3f"
// (the length of the I, J, K of the centre record after the arc) for an arc. A record that is
// no move gets its coordinates only.
struct RecordStatusTexts {
  std::string g, x, y, z, r, f;
};
RecordStatusTexts RecordStatus(ToolpathDatabase& db, int i);
// Fills the six panes from record i.
void ShowRecordStatus(ViewSurface& surface, ToolpathDatabase& db, int i);

// The X, Y and Z panes for the model point under the mouse. Where the view cannot tell the
// point (any direction but top, front and side) the panes stay empty rather than claim the
// origin.
struct CursorStatusTexts {
  std::string x, y, z;
};
CursorStatusTexts CursorStatus(std::optional<Point3> p);
// Fills the X, Y and Z panes from the model point under the mouse and empties G, R and F.
void ShowCursorStatus(ViewSurface& surface, std::optional<Point3> p);

// The last pane's coordinates of a picked record: " X%6.3f Y%6.3f Z%6.3f".
std::string PickedPointText(Point3 p);

// The live read-out at the view's lower left: "X:%3.3f  Y:%3.3f  Z:%3.3f", with " F:%4d"
// behind it when a feed is given.
std::string LiveReadoutText(Point3 p, std::optional<int> feed);

}  // namespace fendo
