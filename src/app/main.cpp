// fendo: the desktop program.
#include <QApplication>

#include "app/fendo_app.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  fendo::CFendoApp app;
  QStringList files = QApplication::arguments();
  files.removeFirst();
  app.InitInstance(files);
  return QApplication::exec();
}
