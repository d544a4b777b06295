#include "app/dialogs/feed_file_dialogs.h"

#include <QFile>
#include <QFileDialog>

#include "app/qt_text.h"
#include "feed/machine_condition.h"

namespace fendo {
namespace {

const QString kQelFilter = QStringLiteral("QEL 조건화일 (*.qel);;All file(*.*) (*)");
const QString kQelExtension = QStringLiteral("qel");
const QString kOptimizerMasterFilter =
    QStringLiteral("Master file (*.mma);;Ncdata file(*.nc, *.hnc, *.tap) (*.nc *.hnc *.tap);;All file(*.*) (*)");
const QString kMasterModelFilter = QStringLiteral(" QEL MASTER FILE (*.mma)");
const QString kMasterExtension = QStringLiteral("mma");

// A file dialog opening or saving in `directory`. A name saved without an extension gets
// `extension`.
QString RunFileDialog(QWidget* parent, const QString& directory, const QString& filter, const QString& extension,
                      QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString(), directory, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(extension);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString RunMasterModelDialog(QWidget* parent, QString& last, QFileDialog::AcceptMode mode) {
  const QString path = RunFileDialog(parent, last, kMasterModelFilter, kMasterExtension, mode);
  if (!path.isEmpty()) last = path;
  return path;
}

}  // namespace

std::filesystem::path LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString ChooseQelFileToOpen(QWidget* parent, const MachineCondition& condition) {
  return RunFileDialog(parent, Utf8(condition.qelDirectory), kQelFilter, kQelExtension, QFileDialog::AcceptOpen);
}

QString ChooseQelFileToSave(QWidget* parent, const MachineCondition& condition) {
  return RunFileDialog(parent, Utf8(condition.qelDirectory), kQelFilter, kQelExtension, QFileDialog::AcceptSave);
}

std::optional<std::string> ChooseOptimizerMasterFile(QWidget* parent, const MachineCondition& condition) {
  const QString path = RunFileDialog(parent, Utf8(condition.ncDataDirectory), kOptimizerMasterFilter,
                                     kMasterExtension, QFileDialog::AcceptOpen);
  if (path.isEmpty()) return std::nullopt;
  return ToUtf8(path);
}

QString ChooseMasterModelToOpen(QWidget* parent, QString& last) {
  return RunMasterModelDialog(parent, last, QFileDialog::AcceptOpen);
}

QString ChooseMasterModelToSave(QWidget* parent, QString& last) {
  return RunMasterModelDialog(parent, last, QFileDialog::AcceptSave);
}

}  // namespace fendo
