#pragma once

#include <cstdint>
#include <optional>

namespace fendo {

// Milliseconds since some fixed moment (the system's start in the program; whatever a test
// likes), never going backwards.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual std::int64_t TickCount() = 0;
};

// The key or click that ends an interactive loop is still down, or still queued, when the loop
// returns; the view must not take it again as a command of its own. So every loop restarts this
// timer when it ends, and the view's commands, keys and mouse handlers ignore their event while
// it runs: for 1000 ms after the last restart.
class CommandDebounce {
 public:
  static constexpr std::int64_t kQuietMs = 1000;

  explicit CommandDebounce(TickSource& ticks) : ticks_(ticks) {}

  void Restart() { restartedAt_ = ticks_.TickCount(); }
  bool Running() {
    return restartedAt_ && ticks_.TickCount() - *restartedAt_ < kQuietMs;
  }

 private:
  TickSource& ticks_;
  std::optional<std::int64_t> restartedAt_;  // none before the first loop ended
};

}  // namespace fendo
