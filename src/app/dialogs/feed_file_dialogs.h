#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace fendo {

struct MachineCondition;

// The file dialogs of the feed optimizer and its master model. Each gives the chosen path, or
// nothing (an empty text) when the user cancelled.

// The path of a chosen file as the engine opens it: the file system's own bytes.
std::filesystem::path LocalPath(const QString& path);

// A *.qel file to load or to save, starting in the condition's QelDirectory.
QString ChooseQelFileToOpen(QWidget* parent, const MachineCondition& condition);
QString ChooseQelFileToSave(QWidget* parent, const MachineCondition& condition);

// The transfer dialog's "MMA : ": an existing master model (or NC data) file, starting in the
// condition's NcDataDirectory.
std::optional<std::string> ChooseOptimizerMasterFile(QWidget* parent, const MachineCondition& condition);

// The *.mma file of the master model commands, starting where `last` says; `last` becomes the
// chosen path. Saving appends ".mma" to a name without an extension and asks before replacing
// a file.
QString ChooseMasterModelToOpen(QWidget* parent, QString& last);
QString ChooseMasterModelToSave(QWidget* parent, QString& last);

}  // namespace fendo
