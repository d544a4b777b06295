#include "app/status_panes.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "app/qt_text.h"
#include "view/show_prompt.h"

namespace fendo {
namespace {

// The text each pane starts with; it also sets the pane's width.
constexpr std::array<std::string_view, StatusPanes::kPaneCount> kInitialTexts = {
    "", "Gxxx", "X:00000000", "Y:00000000", "Z:00000000", "R:0000000", "F:00000.00   ", "선택된 포인트의 좌표를 출력합니다."};

constexpr int kProgressWidth = 160;  // pixels

}  // namespace

StatusPanes::StatusPanes(QStatusBar& bar) {
  for (std::size_t k = 0; k < panes_.size(); ++k) {
    QLabel* pane = new QLabel(Utf8(kInitialTexts[k]), &bar);
    pane->setObjectName(QStringLiteral("statusPane%1").arg(k));
    panes_[k] = pane;
    if (k == 0) {
      bar.addWidget(pane, 1);
      continue;
    }
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setMinimumWidth(pane->sizeHint().width());
    bar.addPermanentWidget(pane);
  }
  progress_ = new QProgressBar(&bar);
  progress_->setMaximumWidth(kProgressWidth);
  progress_->hide();
  bar.addWidget(progress_);
}

void StatusPanes::SetText(StatusPane pane, const QString& text) { panes_[static_cast<std::size_t>(pane)]->setText(text); }

QString StatusPanes::Text(StatusPane pane) const { return panes_[static_cast<std::size_t>(pane)]->text(); }

void StatusPanes::ShowPrompt(std::string_view text) {
  SetText(StatusPane::Prompt, Utf8(kPromptPrefix) + Utf8(text));
}

void StatusPanes::ShowProgress(const QString& text, qint64 done, qint64 total) {
  SetText(StatusPane::Prompt, text);
  if (total > 0) {
    progress_->setRange(0, 1000);
    progress_->setValue(static_cast<int>(done * 1000 / total));
  } else {
    progress_->setRange(0, 0);
  }
  progress_->show();
}

void StatusPanes::EndProgress() {
  progress_->hide();
  SetText(StatusPane::Prompt, QString());
}

}  // namespace fendo
