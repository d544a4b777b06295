#pragma once

namespace fendo {

class CFendoView;

// The commands of the "트림" submenu: each cuts the toolpath against a boundary and removes one
// side of it ("안쪽" the inside, "바같쪽" the outside). Each keeps the work buffer in the undo
// ring once before it changes it, shows its progress in the status bar, redraws after a change
// and says "Memory를 할당할 수 없습니다!!!" when the result would not fit (the toolpath is then
// as it was). Each dialog opens on the values its command was given last, kept for the life of
// the program.

// "윈도우 안쪽 트림(Ctrl+W)" (also Ctrl+X): one window after another until ESC.
void TrimInsideWindowCommand(CFendoView& view);
// "윈도우 바같쪽 트림": one window.
void TrimOutsideWindowCommand(CFendoView& view);
// "좌표 안쪽 트림", "좌표 바같쪽 트림": the rectangle of CXYRangeDlg in model XY.
void TrimInsideRectangleCommand(CFendoView& view);
void TrimOutsideRectangleCommand(CFendoView& view);
// "Z 좌표 바같쪽 트림": CTwoValueDlg with "Z 최소" and "Z 최대"; what lies outside the band goes. A
// band whose bottom lies above its top changes nothing.
void TrimOutsideZRangeCommand(CFendoView& view);
// "원 안쪽 트림", "원 바같쪽 트림": the vertical cylinder of CCentreRadiusDlg; a radius that is not
// above 0 changes nothing.
void TrimInsideCircleCommand(CFendoView& view);
void TrimOutsideCircleCommand(CFendoView& view);
// "다각형 안쪽 트림", "다각형 바같쪽 트림": one polygon drawn on the view.
void TrimInsidePolygonCommand(CFendoView& view);
void TrimOutsidePolygonCommand(CFendoView& view);
// "화일에 의한 안쪽 트림", "화일에 의한 바같쪽 트림": the polygons of a chosen point file (*.poi).
void TrimInsideFilePolygonsCommand(CFendoView& view);
void TrimOutsideFilePolygonsCommand(CFendoView& view);

}  // namespace fendo
