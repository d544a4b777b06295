#pragma once

#include <filesystem>

#include "core/point3.h"
#include "edit/edit_outcome.h"

namespace fendo {

class InputSource;
class ToolpathDatabase;
class UserPrompts;
class ViewInput;
class ViewSurface;

// The offsets that take their region from the view or from a file, once the direction dialog
// gave the offset vector `by`. Each keeps the work buffer in the undo ring before its first
// change, redraws after a change and says so when the result would not fit (ReportEdit).

// "윈도우 안쪽 Offset": one window after another (OffsetInsideWindow, RunWindowLoop) until ESC,
// each shown at once; the windows already done stay done, and one undo step covers them all. A
// window narrower or lower than 2 pixels ends the command; a corner outside the view is taken.
void RunOffsetInWindows(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by);

// "다각형 안쪽 Offset": one polygon drawn as for the trims (RunDrawnPolygonInput), shifted by
// OffsetInsideScreenPolygon.
void RunOffsetInPolygon(ViewInput& view, InputSource& input, UserPrompts& prompts, Point3 by);

// "화일에 의한 안쪽 Offset" once the point file was chosen: its polygons (OffsetInsidePolygons).
// A file that cannot be read is refused with "화일을 열수 없습니다.\n" and changes nothing.
EditOutcome OffsetByPointFile(ToolpathDatabase& db, const std::filesystem::path& file, ViewSurface& surface,
                              UserPrompts& prompts, Point3 by);

}  // namespace fendo
