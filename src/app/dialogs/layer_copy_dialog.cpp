#include "app/dialogs/layer_copy_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"
#include "core/layer_table.h"

namespace fendo {

CLayerCopyDlg::CLayerCopyDlg(const LayerCopyChoice& choice, QWidget* parent)
    : CheckedDialog(QStringLiteral("Layer  복사"), parent),
      choice_(choice),
      source_(new NumberField(QStringLiteral("복사할 Layer"), this)),
      target_(new NumberField(QStringLiteral("복사될 Layer"), this)) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  source_->setObjectName(QStringLiteral("source"));
  target_->setObjectName(QStringLiteral("target"));
  source_->setText(QString::number(choice.source));
  target_->setText(QString::number(choice.target));
  form->addRow(source_->Label(), source_);
  form->addRow(target_->Label(), target_);
  layout->addLayout(form);
  AddAcceptReject(*this, *layout);
}

bool CLayerCopyDlg::TakeFields() {
  LayerCopyChoice taken;
  constexpr int kLastLayer = LayerTable::kUserLayers - 1;
  if (!TakeWholeNumber(source_, taken.source, 0, kLastLayer) || !TakeWholeNumber(target_, taken.target, 0, kLastLayer)) {
    return false;
  }
  choice_ = taken;
  return true;
}

}  // namespace fendo
