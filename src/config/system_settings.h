#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_status.h"

namespace fendo {

// fendo.cfg, the settings of the whole process. It lives in the system directory and names
// the folders everything else is found in.
struct SystemSettings {
  std::string configDir;  // ConfigDir: holds fendo.par, color.par and the other parameter files
  std::string workDir;    // WorkDir: working directory for NC data
  std::string postDir;    // PostDir: post-processor templates
  std::string editor;     // Editor: program that shows NC text
  std::string fileExt;    // FileExt: file pattern of NC data in the open and save dialogs

  friend bool operator==(const SystemSettings&, const SystemSettings&) = default;
};

// The settings before fendo.cfg is read: the folders under the home folder, gedit, and the
// patterns of the NC data the program reads.
SystemSettings DefaultSystemSettings();

// Sets each setting whose key (in any case) appears in the text; the others keep their value.
// True when a WorkDir pair was read: the desktop program then makes WorkDir the current
// directory (the engine never changes it).
bool ParseSystemSettings(std::string_view text, SystemSettings& settings);

// The five lines of fendo.cfg, ConfigDir, WorkDir, PostDir, Editor, FileExt, each
// "key value \n".
std::string FormatSystemSettings(const SystemSettings& settings);

// Settings as a program starts with them.
struct LoadedSystemSettings {
  SystemSettings settings;   // the defaults with what fendo.cfg sets over them
  bool workDirRead = false;  // fendo.cfg named a WorkDir
  FileStatus status;         // why fendo.cfg could not be read or created; settings stay usable
};

// The defaults with the file read over them. A missing file gives the defaults without
// failure; a file that cannot be read gives the defaults and the reason.
LoadedSystemSettings ReadSystemSettingsFile(const std::filesystem::path& path);

// Writes the five lines of fendo.cfg whole. Refuses, writing nothing, a value the file cannot
// hold (empty or with white space), since reading it back would shift every setting behind it.
FileStatus WriteSystemSettingsFile(const std::filesystem::path& path, const SystemSettings& settings);

// SystemDirectory()/fendo.cfg.
std::filesystem::path SystemSettingsPath();

// For the desktop program: the defaults with fendo.cfg read over them. When fendo.cfg does not
// exist, an empty one is created (with the system directory) so the user finds where settings
// go, and the defaults stay.
LoadedSystemSettings LoadStartUpSettings();

// For the batch tool: ReadSystemSettingsFile(SystemSettingsPath()); nothing is ever created.
LoadedSystemSettings ReadBatchSettings();

}  // namespace fendo
