#pragma once

#include <string_view>

namespace fendo {

// The help prompts of the interactive commands, as stored: each is shown behind the fixed
// "도움말: " of ShowPrompt (view/show_prompt.h), the "도움말" of its own included.

// Pick a path with the left button.
inline constexpr std::string_view kPickPathPrompt = "도움말: 마우스 왼쪽 버든으로 경로를 선택하시요.";
// Step through paths or points and confirm.
inline constexpr std::string_view kStepAndConfirmPrompt =
    " 도움말: ENTER(실행), ESC(취소), BACK(뒤로 이동), SPACE(앞으로 이동)";
// Step through points without a confirmation.
inline constexpr std::string_view kStepPointsPrompt = " 도움말: ESC(취소), BACK(전 포인트), SPACE(앞 포인트)";
// Walk a path one point at a time.
inline constexpr std::string_view kWalkPointsPrompt = "도움말:  ESC : 중지,  RETURN : 끝냄,  SPACE : 1 포인트 이동.";
// Walk with continuous movement (the tool simulation).
inline constexpr std::string_view kWalkContinuousPrompt =
    "도움말:  ESC : 중지,  RETURN : 연속이동 ,  SPACE : 1 포인트 이동.";
// Drag a window with the left button.
inline constexpr std::string_view kDragWindowPrompt =
    "도움말: (ESC : 취소) 마우스 왼쪽 버튼을 누른체 이동후 버튼을 띠시오.";
// Click the vertices of a polygon.
inline constexpr std::string_view kDrawPolygonPrompt =
    "도움말: (ESC : 취소, ENTER : 닫기)마우스 왼쪽 버든으로 다각형을 그리시오.";
// A pick that found no path.
inline constexpr std::string_view kNoPathPrompt = " 도움말: 공구경로를 선택하지 못했습니다.";

}  // namespace fendo
