#pragma once

#include <string_view>

namespace fendo {

// What a command says when its result would not fit in the work buffer or in memory; the
// toolpath is then as it was.
inline constexpr std::string_view kNoRoomText = "Memory를 할당할 수 없습니다!!!";
inline constexpr std::string_view kNoRoomCaption = " Message";

}  // namespace fendo
