#pragma once

#include <string_view>

namespace fendo {

class Progress;
class ToolpathDatabase;
class UserPrompts;

// The question the commands that cannot work on arcs ask when the work buffer holds some.
inline constexpr std::string_view kArcGuardQuestion =
    " Arc(G02, G03)가 발련되었습니다.  Arc(G02, G03)을 G01로 변환해하겠습니까?";
// How far the straight moves that replace an arc may stray from it.
inline constexpr double kArcGuardChordTolerance = 0.005;  // mm

// Whether a command that works on straight moves only (contours, start point change, Z-up,
// corner selection and corner trim) may go on: yes without a question when there is no arc;
// otherwise the user is asked, Cancel stops the command, and OK turns every arc into straight
// moves first. The conversion goes into the undo ring before it is made, so that the arcs can
// be had back even when the command itself then stops. False, with the arcs kept, when they
// would not fit in the work buffer as straight moves (the user is told).
bool ArcGuard(ToolpathDatabase& db, UserPrompts& prompts, Progress& progress);

}  // namespace fendo
