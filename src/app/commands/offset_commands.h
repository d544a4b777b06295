#pragma once

namespace fendo {

class CFendoView;

// The commands of the "포인트 Offset" menu. Each opens CDirectionDlg first ("X 방향", "Y 방향",
// "Z 방향", kept for the life of the program, one for all of them); Cancel there or on the
// region's input leaves the toolpath as it was. Each keeps the work buffer in the undo ring
// before it changes it, redraws after a change and says "Memory를 할당할 수 없습니다!!!" when
// the result would not fit. The region dialogs open on the values entered last.

// "윈도우 안쪽 Offset": one window after another until ESC.
void OffsetInsideWindowCommand(CFendoView& view);
// "좌표 안쪽 Offset": CXYRangeDlg.
void OffsetInsideRectangleCommand(CFendoView& view);
// "Z 좌표 바같쪽 Offset": CTwoValueDlg with "Z 최소" and "Z 최대" (−10 and 10).
void OffsetOutsideZBandCommand(CFendoView& view);
// "원 안쪽 Offset": CCentreRadiusDlg.
void OffsetInsideCircleCommand(CFendoView& view);
// "다각형 안쪽 Offset": a polygon drawn on the view.
void OffsetInsidePolygonCommand(CFendoView& view);
// "화일에 의한 안쪽 Offset": the polygons of a chosen point file (*.poi).
void OffsetInsideFilePolygonsCommand(CFendoView& view);

}  // namespace fendo
