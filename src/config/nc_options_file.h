#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "config/system_settings.h"
#include "core/file_status.h"
#include "core/nc_options.h"

namespace fendo {

// fendo.par in ConfigDir: the NC input and output options, one "key value" pair each.

// ConfigDir/fendo.par.
std::filesystem::path NcOptionsPath(const SystemSettings& settings);

// All options off, then each option whose key (in any case) appears in the text is on when its
// value reads as exactly 1 and off otherwise (0, 2 and "yes" all leave it off).
NcOptions ParseNcOptions(std::string_view text);

// The five lines of fendo.par, IntNcdataFlg, ArcToCutInputChk, HeidenhainInputChk,
// HeidenhainOutChk, ArcCentreAbsInputChk, each "key 0 \n" or "key 1 \n".
std::string FormatNcOptions(const NcOptions& options);

// Sets `options` from the file. A missing file turns every option off without failure (and is
// not created); a file that cannot be read does the same and gives the reason.
FileStatus ReadNcOptionsFile(const std::filesystem::path& path, NcOptions& options);

FileStatus WriteNcOptionsFile(const std::filesystem::path& path, const NcOptions& options);

}  // namespace fendo
