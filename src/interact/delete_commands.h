#pragma once

namespace fendo {

class InputSource;
class UserPrompts;
class ViewInput;

// The delete commands that take their input from the view ("공구경로 삭제" submenu), run
// inside the command as the other interactive loops are. Each keeps the work buffer in the
// undo ring before its first change; a result that would not fit changes nothing and the user
// is told so (ReportEdit, which the dialog commands and "선택된 공구경로 삭제" end with as
// well). The help prompts are the loops' own (interact/loop_prompts.h): pick a path, step and
// confirm, drag a window, draw a polygon; every loop ends with the clear prompt.

// "포인트 (TAB)": pick a point, SPACE and BACK SPACE step to the next and the previous motion
// record (a cross marks it), ENTER deletes it (DeletePoint), ESC ends. True when a point went.
bool RunPointDelete(ViewInput& view, InputSource& input);

// "경로 1개 (SHIFT+D)": pick a path, SPACE and BACK SPACE step to the next and the previous
// path, ENTER deletes it (DeleteOnePath), ESC ends. True when a path went.
bool RunPathDelete(ViewInput& view, InputSource& input);

// "윈도우 안쪽": one window after another (DeleteInWindow), each shown at once, until ESC; the
// windows already done stay done. One undo step covers them all.
void RunDeleteInWindow(ViewInput& view, InputSource& input, UserPrompts& prompts);

// "다각형 안쪽": one polygon (DeleteInPolygon); ESC, fewer than 3 vertices or a 100th vertex
// cancel it with nothing changed.
void RunDeleteInPolygon(ViewInput& view, InputSource& input, UserPrompts& prompts);

}  // namespace fendo
