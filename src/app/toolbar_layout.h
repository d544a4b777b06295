#pragma once

#include <span>

namespace fendo {

enum class ToolBarDock { Top, Left };

// One of the main frame's toolbars: the command of each button in order (0 is a separator),
// and where it docks. They are created and docked in the order of ToolBars(): those at the
// top one after the other from the left, those at the left edge side by side.
struct ToolBarLayout {
  int resource;
  std::span<const int> buttons;
  ToolBarDock dock;
};

std::span<const ToolBarLayout> ToolBars();

// The toolbar that holds the layer combo box, and the button it stands over.
inline constexpr int kLayerToolBar = 205;
inline constexpr int kLayerComboCommand = 33014;

}  // namespace fendo
