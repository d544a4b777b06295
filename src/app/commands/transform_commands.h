#pragma once

namespace fendo {

class CFendoView;

// The commands that move the whole toolpath or re-order its paths. Each opens its dialog on
// the values entered last (kept for the life of the program), keeps the work buffer in the
// undo ring before it changes it, redraws after a change and says "Memory를 할당할 수
// 없습니다!!!" when the result would not fit.

// "공구경로 이동및 복사": CMoveCopyDlg, then the move, turn, mirror or scale, with copies.
void MoveOrCopyToolpathCommand(CFendoView& view);
// "공구경로 정렬": CSortDlg, then the sort.
void SortPathsCommand(CFendoView& view);

}  // namespace fendo
