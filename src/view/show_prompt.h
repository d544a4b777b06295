#pragma once

#include <string>
#include <string_view>

#include "view/view_surface.h"

namespace fendo {

// Every help prompt is written behind this fixed prefix, even the stored texts that carry a
// "도움말:" of their own.
inline constexpr std::string_view kPromptPrefix = "도움말: ";
// The prompt that ends every interactive loop.
inline constexpr std::string_view kClearPrompt = " ";

// The help prompt in the first pane of the status bar.
inline void ShowPrompt(ViewSurface& surface, std::string_view text) {
  std::string line(kPromptPrefix);
  line += text;
  surface.SetStatusText(ViewStatusPane::Prompt, line);
}

}  // namespace fendo
