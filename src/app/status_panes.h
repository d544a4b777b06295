#pragma once

#include <QString>

#include <array>
#include <string_view>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace fendo {

// The panes of the status bar, in their order.
enum class StatusPane { Prompt, G, X, Y, Z, R, F, Point };

// The eight panes of the main frame's status bar and the progress bar beside them: the view's
// read-outs, the help prompts of the interactive commands, the progress of long work.
class StatusPanes {
 public:
  static constexpr int kPaneCount = 8;

  explicit StatusPanes(QStatusBar& bar);

  void SetText(StatusPane pane, const QString& text);
  QString Text(StatusPane pane) const;
  // Pane 0: "도움말: " followed by the text.
  void ShowPrompt(std::string_view text);

  // A long piece of work: its text in pane 0 and a progress bar; total 0 when unknown.
  void ShowProgress(const QString& text, qint64 done, qint64 total);
  void EndProgress();

 private:
  std::array<QLabel*, kPaneCount> panes_{};
  QProgressBar* progress_ = nullptr;
};

}  // namespace fendo
