#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/batch.h"
#include "cli/standard_output.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // A reader that went away (a closed pipe) is a failed write to report, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
  fendo::StandardOutput buffer;
  std::ostream out(&buffer);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = fendo::RunBatch(args, {out, std::cerr, isatty(STDERR_FILENO) == 1});
  out.flush();
  if (!buffer.failure().empty()) {
    std::cerr << "fendo-batch: cannot write the standard output: " << buffer.failure() << '\n';
    return status == 0 ? 1 : status;
  }
  return status;
}
