#include "app/dialogs/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"

namespace fendo {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("fendo 정보"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(new QLabel(QStringLiteral("fendo 버전 1.0"), this));
  auto* ok = new QPushButton(QStringLiteral("확인"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addLayout(ButtonRow({ok}));
  ok->setFocus();
}

}  // namespace fendo
