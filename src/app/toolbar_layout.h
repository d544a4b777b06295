#pragma once

#include <span>

#include "app/command_ids.h"

namespace fendo {

enum class ToolBarDock { Top, Left };

// A place in a toolbar's button list that holds a separator, not a command.
inline constexpr CommandId kToolBarSeparator{};

// One of the main frame's toolbars: the command of each button in order (kToolBarSeparator
// between groups), and where it docks. They are created and docked in the order of
// ToolBars(): those at the top one after the other from the left, those at the left edge side
// by side.
struct ToolBarLayout {
  int resource;
  std::span<const CommandId> buttons;
  ToolBarDock dock;
};

std::span<const ToolBarLayout> ToolBars();

// The toolbar that holds the layer combo box, and the button it stands over.
inline constexpr int kLayerToolBar = 205;
inline constexpr CommandId kLayerComboCommand = CommandId::ChooseWorkLayer;

}  // namespace fendo
