#pragma once

#include <string>
#include <string_view>

#include "cli/batch_arguments.h"
#include "cli/option_table.h"
#include "output/nc_output_options.h"

namespace fendo {

// The file a command writes: every writing command's -o.
inline constexpr std::string_view kOutputFlag = "-o";
// At a diagonal rapid move, go on writing instead of stopping.
inline constexpr std::string_view kGoOnFlag = "--yes";

// The output options of convert, filter, optimize and feed.
const OptionGroup& OutputOptionGroup();

// Applies the output options of the command line over `options`. False, with `error` set,
// for a value that is not a number or options the writer cannot combine.
bool ApplyOutputFlags(const BatchArguments& args, NcOutputOptions& options, std::string& error);

}  // namespace fendo
