#include "app/dialogs/dialog_layout.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace fendo {

QCheckBox* CheckBox(const char* name, const QString& text, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}

QBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) row->addWidget(button);
  return row;
}

AcceptRejectButtons AddAcceptReject(QDialog& dialog, QBoxLayout& layout, const QString& acceptText,
                                    const QString& rejectText) {
  auto* accept = new QPushButton(acceptText, &dialog);
  auto* reject = new QPushButton(rejectText, &dialog);
  accept->setDefault(true);
  QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(reject, &QPushButton::clicked, &dialog, &QDialog::reject);
  layout.addLayout(ButtonRow({accept, reject}));
  return {accept, reject};
}

void ChainTabOrder(const QList<QWidget*>& widgets) {
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace fendo
