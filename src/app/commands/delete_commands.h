#pragma once

namespace fendo {

class CFendoView;

// The commands of the "공구경로 삭제" and "공구경로 선택" menus. Each keeps the work buffer in the
// undo ring before it changes it, redraws after a change, and says "Memory를 할당할 수
// 없습니다!!!" when the result would not fit (the toolpath is then as it was). The dialogs open
// on the values entered last, kept for the life of the program.

// "포인트 (TAB)", "경로 1개 (SHIFT+D)": the point and the path loop on the view.
void DeletePointCommand(CFendoView& view);
void DeleteOnePathCommand(CFendoView& view);
// "중간 경로": every second path.
void DeleteMiddlePathsCommand(CFendoView& view);
// "윈도우 안쪽": one window after another until ESC; "다각형 안쪽": one polygon.
void DeleteInWindowCommand(CFendoView& view);
void DeleteInPolygonCommand(CFendoView& view);
// "XY 각도", "Z 각도", "길이에 의한 포인트", "길이에 의한 경로": after their value dialogs.
void DeleteByXyAngleCommand(CFendoView& view);
void DeleteBySlopeCommand(CFendoView& view);
void DeletePointsByLengthCommand(CFendoView& view);
void DeletePathsByLengthCommand(CFendoView& view);
// "모든경로": the work buffer emptied.
void DeleteAllCommand(CFendoView& view);
// "선택된 공구경로 삭제(RETURN)", also RETURN in select mode while something is selected.
void DeleteSelectedCommand(CFendoView& view);

}  // namespace fendo
