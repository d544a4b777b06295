#pragma once

#include <string_view>

#include "core/user_prompts.h"

namespace fendo {

// Tells the user that a command's result would not fit in the work buffer or in memory; the
// toolpath is then as it was.
inline void TellNoRoom(UserPrompts& prompts) {
  constexpr std::string_view kNoRoomText = "Memory를 할당할 수 없습니다!!!";
  constexpr std::string_view kNoRoomCaption = " Message";
  prompts.Message(kNoRoomText, kNoRoomCaption, PromptIcon::Error);
}

}  // namespace fendo
