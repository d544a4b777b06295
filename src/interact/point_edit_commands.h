#pragma once

#include <functional>
#include <optional>

#include "edit/point_edit.h"

namespace fendo {

class InputSource;
class ToolpathDatabase;
class UserPrompts;
class ViewInput;
class ViewSurface;

// The commands of "포인트 편집". Each keeps the work buffer in the undo ring before it changes
// it, redraws after a change, and tells the user when the result would not fit (the toolpath
// is then as it was).

// CPointEditDlg over the values filled from a record: the values entered, nothing after Cancel.
using AskPointValues = std::function<std::optional<PointEditValues>(const PointEditValues& filled)>;

// The wait before the pick, so that the keys that started the command are up again.
inline constexpr int kPointChangePauseMs = 500;

// "포인트 변경(Shift+C)": after the pause, the point loop: pick a point, step with SPACE and
// BACK SPACE, ESC ends without change; ENTER asks for the record's new values (filled from it,
// with the edit mode `mode` the command keeps, which the answer then updates) and edits it.
EditOutcome RunPointChange(ViewInput& view, InputSource& input, UserPrompts& prompts, PointEditMode& mode,
                           const AskPointValues& ask);

// "시작 포인트 위치변경" and "끝 포인트 위치변경": the first or the last motion record of the
// program is marked and its values shown in the status bar, then asked about as above; the
// feed entered is not applied (FeedField::Ignored).
enum class ProgramEnd { Start, End };
EditOutcome RunEndPointChange(ViewInput& view, UserPrompts& prompts, ProgramEnd end, PointEditMode& mode,
                              const AskPointValues& ask);

// "윈도우에 의한 급속이송 변경": one window dragged on the view (ESC: nothing), then
// RapidsInWindow.
EditOutcome RunRapidsInWindow(ViewInput& view, InputSource& input, UserPrompts& prompts);

// "등고선 공구경로 닫기": without a ring nothing is asked; otherwise the gap is asked under
// "최소 간격 " (offering the largest ring gap) and the rings are closed.
EditOutcome CloseContoursCommand(ToolpathDatabase& db, ViewSurface& surface, UserPrompts& prompts);

}  // namespace fendo
