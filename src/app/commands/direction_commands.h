#pragma once

namespace fendo {

class CFendoView;

// The commands that change how the tool moves along the paths already there: their
// direction, where they start, how the tool enters the material, the spacing of points and
// whether it may move downwards. Each keeps the work buffer in the undo ring before it changes
// it, redraws after a change and says "Memory를 할당할 수 없습니다!!!" when the result would
// not fit. The dialogs open on the values entered last, kept for the life of the program.

// "공구경로 방향 바꾸기": CReverseDlg, then the marking polygon when it is asked for.
void ReverseDirectionCommand(CFendoView& view);
// "공구 경로 1개 방향 바꾸기": the path loop; ENTER reverses the path.
void ReverseOnePathCommand(CFendoView& view);
// "열려진 경로", "닫혀진 경로", "닫혀진 경로 & 열려진 경로": the clicked start points.
void StartPointsOfOpenPathsCommand(CFendoView& view);
void StartPointsOfClosedPathsCommand(CFendoView& view);
void StartPointsOfAllPathsCommand(CFendoView& view);
// "플런지(접근) 변경": CPlungeDlg, opened with the rapid height the program has now.
void ChangePlungeCommand(CFendoView& view);
// "포인트 세분화": the interval, 2 when the one kept is 0.
void SubdivideCommand(CFendoView& view);
// "Z 상향": CZUpDlg, then the arc guard.
void SuppressZMovesCommand(CFendoView& view);

}  // namespace fendo
