#include "app/child_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>

#include "app/fendo_view.h"

namespace fendo {

CChildFrame::CChildFrame(CFendoApp& app, CMainFrame& frame) : view_(new CFendoView(app, frame, this)) {
  setWidget(view_);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(view_->document().title);
  connect(view_, &CFendoView::documentTitleChanged, this, &QMdiSubWindow::setWindowTitle);
  // The window menu's Close answers Ctrl+W on this platform; the program gives that key to the
  // window inside trim, and a key two actions share does neither.
  const QKeySequence trimKey(Qt::CTRL | Qt::Key_W);
  for (QAction* action : systemMenu()->actions()) {
    QList<QKeySequence> keys = action->shortcuts();
    if (keys.removeAll(trimKey) > 0) action->setShortcuts(keys);
  }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (view_->InteractiveCommandRunning()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

}  // namespace fendo
