#pragma once

namespace fendo {

class CFendoView;

// The commands of the ring: the radial and spiral patterns of "2D 공구경로 생성", made from the
// numbers of RingDialog and appended behind the program, and "방사선 간격조절", which thins
// out a radial toolpath near its centre. Each keeps the work buffer in the undo ring before it
// changes it, redraws after a change, says so when it makes nothing, and says "Memory를 할당할
// 수 없습니다!!!" when the result would not fit. The dialogs open on the values entered last.

// "방사선": RingDialog, then the spokes.
void GenerateRadialCommand(CFendoView& view);
// "나선형": the same RingDialog, then the spiral.
void GenerateSpiralCommand(CFendoView& view);
// "방사선 간격조절": RadialSpacingDialog, the arc guard (its Cancel ends the command), then the
// spacing, its progress in the help prompt.
void AdjustRadialSpacingCommand(CFendoView& view);

}  // namespace fendo
