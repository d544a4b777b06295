#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "app/command_ids.h"

namespace fendo {

class CFendoView;
class CMainFrame;

// The commands of the program as data: every menu item, toolbar button and accelerator is
// built from these tables, so a command is added in one place. A command goes to the active
// toolpath view or to the main frame; one without a handler belongs to a part of the program
// not built yet and is shown greyed, never as an item that does nothing.

using ViewHandler = void (CFendoView::*)();
using FrameHandler = void (CMainFrame::*)();
using ViewCheck = bool (CFendoView::*)() const;

struct ViewCommand {
  ViewHandler handler;
};
// A command of the view written outside the view's class: the commands of the output, filter,
// feed and optimizer menus live in files of their own (app/commands/).
struct ViewFunction {
  void (*run)(CFendoView& view);
};
struct FrameCommand {
  FrameHandler handler;
};
// The place of the recent-file entries in the file menu.
struct RecentFiles {};

using CommandHandler = std::variant<std::monostate, ViewCommand, ViewFunction, FrameCommand, RecentFiles>;

struct CommandRow {
  CommandId id;
  std::string_view menu;      // the popup path, levels joined by " › "
  std::string_view text;      // the item text; "&" marks the mnemonic
  std::string_view shownKey;  // written behind the text; the keys that work are the accelerators
  CommandHandler handler;
  ViewCheck checked = nullptr;  // the view's mode the check mark shows
  // The status-bar prompt, and behind a line feed the tool tip, where they are not the text.
  std::string_view prompt = {};
};

// The levels of a popup path.
inline constexpr std::string_view kMenuLevelSeparator = " › ";

// The menu of a toolpath view's window.
std::span<const CommandRow> NcViewCommands();
// The menu while no document is open.
std::span<const CommandRow> FrameCommands();
// The toolbar buttons that have no menu item.
std::span<const CommandRow> ToolBarOnlyCommands();

// A key that runs a command (Qt's portable key text, e.g. "Ctrl+N", "Shift+F6").
struct Accelerator {
  std::string_view key;
  CommandId command;
};
std::span<const Accelerator> Accelerators();

// The row of a command in either menu; nullptr when there is none.
const CommandRow* FindCommand(CommandId id);

}  // namespace fendo
