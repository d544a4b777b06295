#include "config/nc_options_file.h"

#include <array>

#include "config/settings_tokens.h"
#include "config/text_file.h"

namespace fendo {
namespace {

// The keys of fendo.par in the order they are written; reading looks keys up here too. The
// arc-centre key came later: a file written before it reads as relative centres.
struct NcOptionKey {
  std::string_view key;
  bool NcOptions::*option;
};
constexpr std::array<NcOptionKey, 5> kKeys = {{
    {"IntNcdataFlg", &NcOptions::intNcdataFlg},
    {"ArcToCutInputChk", &NcOptions::arcToCutInputChk},
    {"HeidenhainInputChk", &NcOptions::heidenhainInputChk},
    {"HeidenhainOutChk", &NcOptions::heidenhainOutChk},
    {"ArcCentreAbsInputChk", &NcOptions::arcCentreAbsInputChk},
}};

// The only value that turns an option on.
constexpr int kOn = 1;

}  // namespace

std::filesystem::path NcOptionsPath(const SystemSettings& settings) {
  return std::filesystem::path(settings.configDir) / "fendo.par";
}

NcOptions ParseNcOptions(std::string_view text) {
  NcOptions options;
  SettingsPairReader reader(text);
  SettingsPair pair;
  while (reader.Next(pair)) {
    for (const NcOptionKey& known : kKeys) {
      if (SameKey(pair.key, known.key)) options.*known.option = SettingsInteger(pair.value) == kOn;
    }
  }
  return options;
}

std::string FormatNcOptions(const NcOptions& options) {
  std::string text;
  for (const NcOptionKey& known : kKeys) {
    text.append(known.key).append(options.*known.option ? " 1 \n" : " 0 \n");
  }
  return text;
}

FileStatus ReadNcOptionsFile(const std::filesystem::path& path, NcOptions& options) {
  std::string text;
  const FileStatus status = ReadOptionalTextFile(path, text);
  options = ParseNcOptions(text);
  return status;
}

FileStatus WriteNcOptionsFile(const std::filesystem::path& path, const NcOptions& options) {
  return WriteTextFile(path, FormatNcOptions(options));
}

}  // namespace fendo
