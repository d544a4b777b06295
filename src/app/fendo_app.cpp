#include "app/fendo_app.h"

#include <QDir>

#include "app/main_frame.h"
#include "app/qt_text.h"

namespace fendo {

CFendoApp::CFendoApp() = default;

CFendoApp::~CFendoApp() = default;

void CFendoApp::InitInstance(const QStringList& files) {
  // 1. The settings: the defaults, then fendo.cfg over them; its WorkDir is where we work.
  const LoadedSystemSettings loaded = LoadStartUpSettings();
  settings_ = loaded.settings;
  if (loaded.workDirRead) QDir::setCurrent(Utf8(settings_.workDir));

  // 2. The main frame, then the documents the command line names.
  mainFrame_ = std::make_unique<CMainFrame>(*this);
  // The settings stay usable without their file; the user learns why it could not be read.
  if (!loaded.status) {
    mainFrame_->statusPanes().SetText(StatusPane::Prompt, QStringLiteral("fendo.cfg: ") + Utf8(loaded.status.reason));
  }
  for (const QString& file : files) mainFrame_->OpenDocument(file);
  mainFrame_->showMaximized();
}

}  // namespace fendo
