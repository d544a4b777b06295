#pragma once

#include <QString>

#include <string_view>

#include "app/command_ids.h"

class QWidget;

namespace fendo {

class CFendoApp;
struct SystemSettings;

// The file filter of NC data: "NCDATA FILE (pattern)" with the FileExt setting, then the names
// NC programs commonly go by ("NC 프로그램"), then all files.
QString NcFileFilter(const SystemSettings& settings);

// The open-file dialog of a command: NC data first, starting where this command's dialog was
// left during the run. The chosen path, empty when cancelled.
QString ChooseNcFile(QWidget* parent, CFendoApp& app, CommandId command);

// Opens a help file of ConfigDir/help with the platform's opener; says so when it is missing.
void OpenHelpFile(QWidget* parent, const SystemSettings& settings, std::string_view name);

}  // namespace fendo
