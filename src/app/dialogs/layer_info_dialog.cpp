#include "app/dialogs/layer_info_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/layer_output_dialog.h"
#include "app/dialogs/line_breaks.h"
#include "app/dialogs/number_field.h"
#include "app/qt_text.h"
#include "core/layer_table.h"

namespace fendo {
namespace {

constexpr int kListLines = 12;

}  // namespace

CLayerInfoDlg::CLayerInfoDlg(LayerTable& layers, int workLayer, QWidget* parent)
    : CheckedDialog(QStringLiteral("Layer 정보"), parent),
      layers_(layers),
      list_(new QListWidget(this)),
      name_(new QLineEdit(this)),
      file_(new QLineEdit(this)),
      header_(this) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* columns = new QHBoxLayout;
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(new QLabel(QStringLiteral("<< Layer list >>"), this));
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) list_->addItem(LayerEntry(layer, layers[layer].fileName));
  list_->setFixedHeight(list_->fontMetrics().lineSpacing() * kListLines);
  listColumn->addWidget(list_);
  columns->addLayout(listColumn);

  auto* fields = new QGridLayout;
  int row = 0;
  name_->setObjectName(QStringLiteral("layerName"));
  file_->setObjectName(QStringLiteral("fileName"));
  fields->addWidget(new QLabel(QStringLiteral("Layer명"), this), row, 0);
  fields->addWidget(name_, row++, 1);
  fields->addWidget(new QLabel(QStringLiteral("파일명"), this), row, 0);
  fields->addWidget(file_, row++, 1);
  QPushButton* update = header_.AddTo(*fields, row);
  update->setObjectName(QStringLiteral("layerUpdate"));
  fields->addWidget(update, row++, 1);
  columns->addLayout(fields);
  layout->addLayout(columns);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);

  connect(list_, &QListWidget::currentRowChanged, this, [this](int layer) {
    if (layer >= 0) ShowLayer(layer);
  });
  connect(update, &QPushButton::clicked, this, [this] { UpdateLayer(); });
  list_->setCurrentRow(workLayer >= 0 && workLayer < LayerTable::kUserLayers ? workLayer : 0);
  ChainTabOrder({list_, name_, file_, header_.programNumber, header_.toolNumber, header_.lengthOffset,
                 header_.spindle, header_.comment, update,
                 buttons.accept, buttons.reject});
}

void CLayerInfoDlg::ShowLayer(int layer) {
  const LayerSlot& slot = layers_[layer];
  name_->setText(Utf8(slot.layerName));
  file_->setText(Utf8(slot.fileName));
  header_.Show(slot);
}

void CLayerInfoDlg::UpdateLayer() {
  const int layer = list_->currentRow();
  if (layer < 0) return;
  const std::optional<LayerHeaderFields::Numbers> numbers =
      header_.Take([this](NumberField* field, int& v, int lowest, int highest) {
        return TakeWholeNumber(field, v, lowest, highest);
      });
  if (!numbers) return;
  LayerSlot& slot = layers_[layer];
  slot.layerName = ToUtf8(name_->text());
  slot.fileName = ToUtf8(file_->text());
  header_.Store(*numbers, slot);
  list_->item(layer)->setText(LayerEntry(layer, slot.fileName));
  changed_ = true;
}

}  // namespace fendo
