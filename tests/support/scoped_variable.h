#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace fendo::test {

// Sets an environment variable (or, for nullptr, unsets it) while it lives and puts the old
// value back after: the system folder, HOME and XDG_CONFIG_HOME of a test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    Set(value);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable() { Set(saved_ ? saved_->c_str() : nullptr); }

 private:
  void Set(const char* value) { value ? setenv(name_.c_str(), value, 1) : unsetenv(name_.c_str()); }

  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace fendo::test
