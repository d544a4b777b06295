#include "app/dialogs/work_layer_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "core/layer_table.h"

namespace fendo {
namespace {

constexpr int kButtonsPerRow = 10;

}  // namespace

CWorkLayerDlg::CWorkLayerDlg(int workLayer, QWidget* parent) : QDialog(parent), buttons_(new QButtonGroup(this)) {
  setWindowTitle(QStringLiteral("Select work layer"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) {
    auto* button = new QRadioButton(QString::number(layer), this);
    button->setObjectName(QStringLiteral("layer%1").arg(layer));
    buttons_->addButton(button, layer);
    grid->addWidget(button, layer / kButtonsPerRow, layer % kButtonsPerRow);
  }
  if (QAbstractButton* current = buttons_->button(workLayer)) current->setChecked(true);
  layout->addLayout(grid);
  AddAcceptReject(*this, *layout);
}

int CWorkLayerDlg::layer() const { return buttons_->checkedId(); }

}  // namespace fendo
