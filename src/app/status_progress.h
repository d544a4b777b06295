#pragma once

#include <QElapsedTimer>

#include <optional>
#include <string>

#include "core/progress.h"
#include "view/show_prompt.h"

namespace fendo {

class StatusPanes;

// The progress of a long piece of work in the status bar: its text in the prompt pane and a
// progress bar beside it. The window keeps repainting meanwhile, but takes no input, so the
// user cannot start a second command on a toolpath that is half read. The bar goes when the
// object does.
class StatusProgress : public Progress {
 public:
  explicit StatusProgress(StatusPanes& panes);
  ~StatusProgress() override;
  StatusProgress(const StatusProgress&) = delete;
  StatusProgress& operator=(const StatusProgress&) = delete;

  void Report(std::string_view text, std::int64_t done, std::int64_t total) override;

 private:
  StatusPanes& panes_;
  QElapsedTimer sinceShown_;
  bool shown_ = false;
};

// A StatusProgress that comes with the first report and goes with the one that says all is
// done, so that no bar stays while the command goes on with the user (the start points clicked
// after the arc guard's conversion, the next window of a trim).
class TransientProgress : public Progress {
 public:
  explicit TransientProgress(StatusPanes& panes) : panes_(panes) {}

  void Report(std::string_view text, std::int64_t done, std::int64_t total) override;

 private:
  StatusPanes& panes_;
  std::optional<StatusProgress> shown_;
};

// Another progress with its text behind the help prefix, as the prompts stand: the work a
// command runs after its dialog (a conversion, the spacing of spokes).
class PromptedProgress : public Progress {
 public:
  explicit PromptedProgress(Progress& shown) : shown_(shown) {}
  void Report(std::string_view text, std::int64_t done, std::int64_t total) override {
    shown_.Report(std::string(kPromptPrefix).append(text), done, total);
  }

 private:
  Progress& shown_;
};

}  // namespace fendo
