#include "app/nc_file_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "app/fendo_app.h"
#include "app/qt_text.h"
#include "config/system_settings.h"

namespace fendo {

namespace {

// The names NC programs go by, whatever FileExt holds: Heidenhain (*.h) and G-code (*.ngc)
// programs are not hidden behind a FileExt that leaves them out.
constexpr const char* kNcProgramFilter =
    "NC 프로그램 (*.nc *.ngc *.tap *.h *.hnc *.ppp *.cnc *.iso *.mpf *.eia *.gcode *.ncc)";

}  // namespace

QString NcFileFilter(const SystemSettings& settings) {
  // FileExt separates its patterns with ';' as the file dialogs of other platforms take them.
  const QString patterns = Utf8(settings.fileExt).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
  return QStringLiteral("NCDATA FILE (%1);;%2;;All Files (*)").arg(patterns, QString::fromUtf8(kNcProgramFilter));
}

QString ChooseNcFile(QWidget* parent, CFendoApp& app, CommandId command) {
  QString& last = app.LastDialogPath(command);
  const QString path = QFileDialog::getOpenFileName(parent, QString(), last, NcFileFilter(app.settings()));
  if (!path.isEmpty()) last = path;
  return path;
}

void OpenHelpFile(QWidget* parent, const SystemSettings& settings, std::string_view name) {
  const QString path = QDir(Utf8(settings.configDir)).filePath(QStringLiteral("help/") + Utf8(name));
  if (!QFileInfo::exists(path)) {
    QMessageBox::information(parent, QStringLiteral("Error message"),
                             QStringLiteral("도움말 화일이 없습니다.\n%1").arg(QDir::toNativeSeparators(path)));
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace fendo
