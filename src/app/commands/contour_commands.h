#pragma once

namespace fendo {

class CFendoView;

// "등고선 공구경로 생성": ContourDialog, opened with the heights and start point of the present
// toolpath (the spacing and link distance as entered last), then the arc guard, then the
// contours replace the work buffer (one undo snapshot) and the view is redrawn. The status bar
// follows the slicing ("Processing(%d/%d). ") and the linking (" 도움말: 툴패스를 정렬중
// 입니다.", "Sorting(%6.2f / %6.2f). "). A toolpath without linear feed moves opens no dialog.
void GenerateContoursCommand(CFendoView& view);

}  // namespace fendo
