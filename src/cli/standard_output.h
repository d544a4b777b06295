#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace fendo {

// fendo-batch's standard output: a buffer over the process's descriptor 1 that remembers why
// the first write failed (a closed pipe, a full disk), so that results that never arrived end
// the run with a failure instead of an exit status 0.
class StandardOutput : public std::streambuf {
 public:
  StandardOutput();
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // The system's words for the first failed write; empty while every write succeeded.
  const std::string& failure() const { return failure_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool WriteBuffered();

  std::vector<char> buffer_;
  std::string failure_;
};

}  // namespace fendo
