#include "config/system_settings.h"

#include <array>
#include <system_error>

#include "config/settings_tokens.h"
#include "config/system_directory.h"
#include "config/text_file.h"

namespace fendo {
namespace {

constexpr std::string_view kFileName = "fendo.cfg";

// The keys of fendo.cfg in the order they are written; reading looks keys up here too.
struct SystemSettingKey {
  std::string_view key;
  std::string SystemSettings::*field;
};
constexpr std::array<SystemSettingKey, 5> kKeys = {{
    {"ConfigDir", &SystemSettings::configDir},
    {"WorkDir", &SystemSettings::workDir},
    {"PostDir", &SystemSettings::postDir},
    {"Editor", &SystemSettings::editor},
    {"FileExt", &SystemSettings::fileExt},
}};

bool IsMissing(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

// Creates an empty fendo.cfg, and the system directory it goes in.
FileStatus CreateEmptySettingsFile(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error) return FileStatus::Failure(error.message());
  return WriteTextFile(path, "");
}

}  // namespace

SystemSettings DefaultSystemSettings() {
  const std::filesystem::path home = HomeDirectory() / "fendo";
  return {
      .configDir = home.string(),
      .workDir = (home / "ncdata").string(),
      .postDir = (home / "post").string(),
      .editor = "gedit",
      .fileExt = "*.nc;*.hnc;*.ppp;*.tap",
  };
}

bool ParseSystemSettings(std::string_view text, SystemSettings& settings) {
  bool workDirRead = false;
  SettingsPairReader reader(text);
  SettingsPair pair;
  while (reader.Next(pair)) {
    for (const SystemSettingKey& known : kKeys) {
      if (!SameKey(pair.key, known.key)) continue;
      settings.*known.field = pair.value;
      if (known.field == &SystemSettings::workDir) workDirRead = true;
    }
  }
  return workDirRead;
}

std::string FormatSystemSettings(const SystemSettings& settings) {
  std::string text;
  for (const SystemSettingKey& known : kKeys) {
    text.append(known.key).append(" ").append(settings.*known.field).append(" \n");
  }
  return text;
}

LoadedSystemSettings ReadSystemSettingsFile(const std::filesystem::path& path) {
  LoadedSystemSettings loaded;
  loaded.settings = DefaultSystemSettings();
  std::string text;
  loaded.status = ReadOptionalTextFile(path, text);
  if (loaded.status) loaded.workDirRead = ParseSystemSettings(text, loaded.settings);
  return loaded;
}

FileStatus WriteSystemSettingsFile(const std::filesystem::path& path, const SystemSettings& settings) {
  for (const SystemSettingKey& known : kKeys) {
    if (!IsSettingsToken(settings.*known.field)) {
      return FileStatus::Failure(std::string(known.key) + " \"" + settings.*known.field +
                                 "\" cannot be kept in " + std::string(kFileName) +
                                 ": a value must be one word without white space");
    }
  }
  return WriteTextFile(path, FormatSystemSettings(settings));
}

std::filesystem::path SystemSettingsPath() { return SystemDirectory() / kFileName; }

LoadedSystemSettings LoadStartUpSettings() {
  const std::filesystem::path path = SystemSettingsPath();
  if (!IsMissing(path)) return ReadSystemSettingsFile(path);
  return {DefaultSystemSettings(), false, CreateEmptySettingsFile(path)};
}

LoadedSystemSettings ReadBatchSettings() { return ReadSystemSettingsFile(SystemSettingsPath()); }

}  // namespace fendo
