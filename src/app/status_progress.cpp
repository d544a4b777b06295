#include "app/status_progress.h"

#include <QCoreApplication>

#include "app/qt_text.h"
#include "app/status_panes.h"

namespace fendo {
namespace {

// Reports come far more often than the eye needs; the bar moves at this pace.
constexpr qint64 kRefreshMs = 100;

}  // namespace

StatusProgress::StatusProgress(StatusPanes& panes) : panes_(panes) {}

StatusProgress::~StatusProgress() {
  if (shown_) panes_.EndProgress();
}

void StatusProgress::Report(std::string_view text, std::int64_t done, std::int64_t total) {
  if (shown_ && sinceShown_.elapsed() < kRefreshMs && done < total) return;
  panes_.ShowProgress(Utf8(text), done, total);
  shown_ = true;
  sinceShown_.start();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TransientProgress::Report(std::string_view text, std::int64_t done, std::int64_t total) {
  if (!shown_) shown_.emplace(panes_);
  shown_->Report(text, done, total);
  if (done >= total) shown_.reset();
}

}  // namespace fendo
