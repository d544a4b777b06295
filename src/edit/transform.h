#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_outcome.h"

namespace fendo {

class ToolpathDatabase;

// "<< 이동방법 >>" of CMoveCopyDlg.
enum class TransformMethod {
  Move,         // "거리": shifted by the distances of the axes ticked
  Rotate,       // "회전": turned about the vertical axis through the centre
  MirrorScale,  // "미러, 스케일": each ticked axis scaled about the centre by its factor
};

// CMoveCopyDlg ("공구경로 이동, 회전, 미러, 복사"): its fields with their defaults, kept between
// uses. An axis that is not ticked does not move (distance 0, factor 1).
struct TransformParams {
  TransformMethod method = TransformMethod::Move;
  // "<< 이동거리 >>", mm: −10000 … 10000 each
  bool moveX = false;
  double dx = 0;
  bool moveY = false;
  double dy = 0;
  bool moveZ = false;
  double dz = 0;
  // "<< 회전각도 >>" about an axis parallel to Z, degrees: −3600 … 3600
  bool rotateZ = false;
  double angle = 0;
  // "<< 회전중심>>", mm: the centre of rotation, mirror and scale, −10000 … 10000 each
  double centreX = 0;
  double centreY = 0;
  double centreZ = 0;
  // "<< 미러, 스케일 >>": factors −1000 … 1000 each
  bool scaleX = false;
  double sx = -1;
  bool scaleY = false;
  double sy = -1;
  bool scaleZ = false;
  double sz = -1;
  // "복사 횟수": keep the toolpath and append the copies, 0 … 10000 (mirror and scale append
  // one, whatever the count)
  bool copy = false;
  int copies = 0;
};

// The first value out of its range, in the dialog's order.
std::optional<OptionOutOfRange> CheckTransformParams(const TransformParams& params);
// The ranges of the numeric fields, for a help that quotes them.
std::span<const FieldRange<TransformParams>> TransformRanges();

// Moves, rotates, mirrors or scales every motion record of the work buffer, in place or, with
// "복사 횟수", as copies appended after the toolpath (copy i moved by i times the distances or
// turned by i times the angle; mirror and scale append one). An arc's centre record moves with
// its arc: unchanged by a shift, turned by a rotation, scaled by the factors. Mirror and scale
// change an arc's sense once for each negative factor of the two axes of its own plane; an arc
// whose two plane axes are scaled by different amounts, and an arc outside the XY plane that a
// rotation turns out of its plane, become straight moves within 0.001 mm first.
// One undo snapshot; Refused for a value out of range or a result beyond the coordinates a
// record can hold, NoRoom (nothing changed) when the result would pass the record limit,
// Unchanged when nothing is ticked.
EditOutcome TransformToolpath(ToolpathDatabase& db, const TransformParams& params);

}  // namespace fendo
