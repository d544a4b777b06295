#pragma once

#include <QMdiSubWindow>

namespace fendo {

class CFendoApp;
class CFendoView;
class CMainFrame;

// A document window: the frame around one toolpath view.
class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  CChildFrame(CFendoApp& app, CMainFrame& frame);
  CFendoView& view() { return *view_; }

 protected:
  // A window whose view runs an interactive command stays until the command ends.
  void closeEvent(QCloseEvent* event) override;

 private:
  CFendoView* view_;
};

}  // namespace fendo
