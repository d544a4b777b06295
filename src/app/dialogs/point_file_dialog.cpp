#include "app/dialogs/point_file_dialog.h"

#include <QFileDialog>

namespace fendo {

QString ChoosePointFileToOpen(QWidget* parent, QString& last) {
  QFileDialog dialog(parent, QStringLiteral(" 포인트 화일명을 선택하시오."), last,
                     QStringLiteral("Point Files (*.poi);;All Files (*.*) (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  last = dialog.selectedFiles().front();
  return last;
}

}  // namespace fendo
