#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fendo {

// Where fendo-batch writes: results to `out`, messages (and progress, when `terminal` is set)
// to `err`.
struct BatchStreams {
  std::ostream& out;
  std::ostream& err;
  bool terminal = false;  // err is a terminal: show progress on long work
};

// Runs fendo-batch with its arguments (without the program's name) and returns its exit
// status: 0 when everything was done, 1 when a file could not be read completely, 2 for a
// mistake in the arguments.
int RunBatch(const std::vector<std::string>& args, const BatchStreams& streams);

}  // namespace fendo
