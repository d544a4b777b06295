#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/fendo_app.h"
#include "app/main_frame.h"

namespace fendo {

inline QString ExampleFile(const char* name) { return QStringLiteral(FENDO_EXAMPLES_DIR "/") + name; }

// A program of its own for every test: its settings, fendo.cfg and recent files in a
// temporary folder, so that nothing of the user's is read or changed.
class AppFixture {
 public:
  AppFixture() {
    qputenv("FENDO_SYSTEM_DIR", home_.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
    app_ = std::make_unique<CFendoApp>();
    app_->InitInstance({});
  }

  CFendoApp& app() { return *app_; }
  CMainFrame& frame() { return *app_->mainFrame(); }
  const QTemporaryDir& home() const { return home_; }

 private:
  QTemporaryDir home_;
  std::unique_ptr<CFendoApp> app_;
};

// Answers the next modal dialog from inside its event loop: `answer` sees it and closes it.
// Gives up after two seconds without one.
inline void AnswerNextDialog(std::function<void(QWidget&)> answer) {
  constexpr int kPollMs = 10;
  constexpr int kPolls = 200;
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, polls = 0]() mutable {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog || ++polls == kPolls) timer->deleteLater();
    if (dialog) {
      timer->stop();
      answer(*dialog);
    }
  });
  timer->start(kPollMs);
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
