#include "app/child_frame.h"

#include <QCloseEvent>

#include "app/fendo_view.h"

namespace fendo {

CChildFrame::CChildFrame(CFendoApp& app, CMainFrame& frame) : view_(new CFendoView(app, frame, this)) {
  setWidget(view_);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(view_->document().title);
  connect(view_, &CFendoView::documentTitleChanged, this, &QMdiSubWindow::setWindowTitle);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (view_->InteractiveCommandRunning()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

}  // namespace fendo
