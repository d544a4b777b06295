#pragma once

#include <filesystem>
#include <memory>

#include "core/view_state.h"
#include "edit/edit_outcome.h"
#include "edit/trim.h"

namespace fendo {

class InputSource;
class Progress;
class RegionBoundary;
class ToolpathDatabase;
class UserPrompts;
class ViewInput;
class ViewSurface;

// The trims that take their boundary from the view or from a point file ("트림" submenu). Each
// keeps the work buffer in the undo ring once before its first change, redraws after a change,
// tells the user when the result would not fit (the toolpath is then as it was), and shows its
// progress through `progress`. The windows and polygons follow interact/trim_input.h.

// The boundary of a window dragged between client points a and b: in the unrotated top view the
// rectangle of model XY under it, so that the cut lies exactly on the coordinates the user saw;
// in any other view the four corners as a polygon of client pixels, so that what is removed is
// what was drawn inside the window, at any depth.
std::unique_ptr<RegionBoundary> WindowBoundary(ClientPoint a, ClientPoint b, const ViewState& view);

// "윈도우 안쪽 트림(Ctrl+W)": one window after another, each trimmed and shown at once, until
// ESC, a window too small to trim with, or OK to the question a corner outside the view asks
// (Cancel lets the user drag again). One undo step covers every window.
void RunWindowInsideTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress);

// "윈도우 바같쪽 트림": one window; a corner outside the view or a window too small ends the
// command without a question.
void RunWindowOutsideTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress);

// "다각형 안쪽 트림", "다각형 바같쪽 트림": one drawn polygon (RunDrawnPolygonInput), trimmed in the
// client pixels of the view.
void RunPolygonTrim(ViewInput& view, InputSource& input, UserPrompts& prompts, Progress& progress, TrimSide removed);

// "화일에 의한 안쪽 트림", "화일에 의한 바같쪽 트림" once the user chose `file`: every polygon of the
// point file in model XY, in file order, under one undo step. A file that cannot be read, or
// holds a vertex line that is not three numbers, changes nothing: the user is told
// "화일을 열수 없습니다.\n" (caption "Error message") followed by why.
EditOutcome RunPointFileTrim(ToolpathDatabase& db, ViewSurface& surface, const std::filesystem::path& file,
                             TrimSide removed, UserPrompts& prompts, Progress& progress);

}  // namespace fendo
