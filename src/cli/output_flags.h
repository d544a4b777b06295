#pragma once

#include <string>

#include "cli/batch_arguments.h"
#include "output/nc_output_options.h"

namespace fendo {

// Applies the output options of the command line over `options`. False, with `error` set,
// for a value that is not a number or options the writer cannot combine.
bool ApplyOutputFlags(const BatchArguments& args, NcOutputOptions& options, std::string& error);

}  // namespace fendo
