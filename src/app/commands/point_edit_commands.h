#pragma once

namespace fendo {

class CFendoView;

// The commands of "포인트 편집" and of "코너 분리". Each keeps the work buffer in the undo ring
// before it changes it, redraws after a change and says "Memory를 할당할 수 없습니다!!!" when the
// result would not fit.

// "포인트 변경(Shift+C)": the point loop, then CPointEditDlg over the point ENTER confirmed.
void ChangePointCommand(CFendoView& view);
// "시작 포인트 위치변경", "끝 포인트 위치변경": CPointEditDlg over the first or the last point.
// Each of the three point commands keeps its own edit mode ("이동" or "삽입").
void MoveStartPointCommand(CFendoView& view);
void MoveEndPointCommand(CFendoView& view);
// "윈도우에 의한 급속이송 변경": one window.
void RapidsInWindowCommand(CFendoView& view);
// "등고선 공구경로 닫기": "최소 간격 " offering the largest gap of the rings.
void CloseContourPathsCommand(CFendoView& view);
// "코너 부위 선택", "코너부위를 트림한다.": CCornerDlg (one set of values for both), then the
// arc guard.
void SelectCornerRegionsCommand(CFendoView& view);
void TrimToCornerRegionsCommand(CFendoView& view);

}  // namespace fendo
