#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

#include "app/fendo_app.h"
#include "app/main_frame.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

namespace fendo {

inline QString ExampleFile(const char* name) { return QStringLiteral(FENDO_EXAMPLES_DIR "/") + name; }

// A program of its own for every test: its settings, fendo.cfg and recent files in a
// temporary folder, so that nothing of the user's is read or changed.
class AppFixture {
 public:
  AppFixture() {
    const QString home = QString::fromStdString(home_.path().string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home);
    app_ = std::make_unique<CFendoApp>();
    app_->InitInstance({});
  }

  CFendoApp& app() { return *app_; }
  CMainFrame& frame() { return *app_->mainFrame(); }
  const test::TempDir& home() const { return home_; }
  // A file in the temporary folder, named as the dialogs take it.
  QString HomeFile(const std::string& name) const { return QString::fromStdString((home_ / name).string()); }

 private:
  test::TempDir home_;
  test::ScopedVariable systemDir_{"FENDO_SYSTEM_DIR", home_.path().c_str()};
  std::unique_ptr<CFendoApp> app_;
};

// How often the answers below look for their dialog, and how often before they give up.
inline constexpr int kAnswerPollMs = 10;
inline constexpr int kAnswerPolls = 200;

// Answers the next modal dialog from inside its event loop: `answer` sees it and closes it.
// The dialog open when the answer is queued (the one whose own answer queues the next) is not
// the next one, even while it is still closing. Gives up after two seconds without one.
inline void AnswerNextDialog(std::function<void(QWidget&)> answer) {
  auto* timer = new QTimer(qApp);
  const QPointer<QWidget> open = QApplication::activeModalWidget();
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, open, polls = 0]() mutable {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == open) dialog = nullptr;
    if (dialog || ++polls == kAnswerPolls) timer->deleteLater();
    if (dialog) {
      timer->stop();
      answer(*dialog);
    }
  });
  timer->start(kAnswerPollMs);
}

// Gives `files` the file `path` and accepts it. The dialog leaves its name field alone while
// that has the focus, which the window system gives it at a moment of its own; the field is
// made to let go first. A dialog that still does not close is given the name again, and
// cancelled after two seconds.
inline void AcceptFile(QFileDialog* files, const QString& path, int tries = 0) {
  if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clearFocus();
  files->selectFile(path);
  static_cast<QDialog*>(files)->accept();
  if (!files->isVisible()) return;
  if (tries == kAnswerPolls) {
    files->reject();
    return;
  }
  QTimer::singleShot(kAnswerPollMs, files, [files, path, tries] { AcceptFile(files, path, tries + 1); });
}

// Answers the next file dialog with `path`, then lets `next` answer the dialog after it.
inline void AnswerFileDialog(const QString& path, std::function<void(QWidget&)> next = {}) {
  AnswerNextDialog([path, next](QWidget& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    QVERIFY(files);
    if (next) AnswerNextDialog(next);
    AcceptFile(files, path);
  });
}

// The caption and text of the next message box, which is closed with its default button.
struct ShownMessage {
  QString caption;
  QString text;
};
inline std::shared_ptr<ShownMessage> CatchNextMessage() {
  auto shown = std::make_shared<ShownMessage>();
  AnswerNextDialog([shown](QWidget& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
      shown->caption = box->windowTitle();
      shown->text = box->text();
    }
    qobject_cast<QDialog*>(&dialog)->accept();
  });
  return shown;
}

}  // namespace fendo
