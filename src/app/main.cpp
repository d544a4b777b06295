// fendo: the desktop program.
#include <QApplication>
#include <QTranslator>

#include "app/command_icons.h"
#include "app/fendo_app.h"
#include "app/qt_translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  QApplication::setWindowIcon(fendo::ApplicationIcon());
  QTranslator qtTexts;
  if (fendo::LoadQtTranslations(qtTexts)) QApplication::installTranslator(&qtTexts);
  fendo::CFendoApp app;
  QStringList files = QApplication::arguments();
  files.removeFirst();
  app.InitInstance(files);
  return QApplication::exec();
}
