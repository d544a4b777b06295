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

constexpr int kLargestHeaderNumber = 100000;  // program, tool, offset and spindle of a layer
constexpr int kListLines = 12;
constexpr int kCommentLines = 4;

}  // namespace

CLayerInfoDlg::CLayerInfoDlg(LayerTable& layers, int workLayer, QWidget* parent)
    : CheckedDialog(QStringLiteral("Layer 정보"), parent),
      layers_(layers),
      list_(new QListWidget(this)),
      name_(new QLineEdit(this)),
      file_(new QLineEdit(this)),
      programNumber_(new NumberField(QStringLiteral("Layer ProgNum"), this)),
      toolNumber_(new NumberField(QStringLiteral("Layer ToolNum"), this)),
      lengthOffset_(new NumberField(QStringLiteral("Layer ToolOffset"), this)),
      spindle_(new NumberField(QStringLiteral("Layer spindle"), this)),
      comment_(new QPlainTextEdit(this)) {
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
  for (NumberField* field : {programNumber_, toolNumber_, lengthOffset_, spindle_}) {
    fields->addWidget(new QLabel(field->Label(), this), row, 0);
    fields->addWidget(field, row++, 1);
  }
  fields->addWidget(new QLabel(QStringLiteral("<< Layer 주석문 >>"), this), row++, 0, 1, 2);
  comment_->setTabChangesFocus(true);
  comment_->setFixedHeight(comment_->fontMetrics().lineSpacing() * kCommentLines);
  fields->addWidget(comment_, row++, 0, 1, 2);
  auto* update = new QPushButton(QStringLiteral("Layer update"), this);
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
  ChainTabOrder({list_, name_, file_, programNumber_, toolNumber_, lengthOffset_, spindle_, comment_, update,
                 buttons.accept, buttons.reject});
}

void CLayerInfoDlg::ShowLayer(int layer) {
  const LayerSlot& slot = layers_[layer];
  name_->setText(Utf8(slot.layerName));
  file_->setText(Utf8(slot.fileName));
  programNumber_->setText(QString::number(slot.programNumber));
  toolNumber_->setText(QString::number(slot.toolNumber));
  lengthOffset_->setText(QString::number(slot.lengthOffset));
  spindle_->setText(QString::number(slot.spindle));
  comment_->setPlainText(ShownComment(slot.comment));
}

void CLayerInfoDlg::UpdateLayer() {
  const int layer = list_->currentRow();
  int program = 0, tool = 0, offset = 0, spindle = 0;
  if (layer < 0 || !TakeWholeNumber(programNumber_, program, 0, kLargestHeaderNumber) ||
      !TakeWholeNumber(toolNumber_, tool, 0, kLargestHeaderNumber) ||
      !TakeWholeNumber(lengthOffset_, offset, 0, kLargestHeaderNumber) ||
      !TakeWholeNumber(spindle_, spindle, 0, kLargestHeaderNumber)) {
    return;
  }
  LayerSlot& slot = layers_[layer];
  slot.layerName = ToUtf8(name_->text());
  slot.fileName = ToUtf8(file_->text());
  slot.programNumber = program;
  slot.toolNumber = tool;
  slot.lengthOffset = offset;
  slot.spindle = spindle;
  std::string comment = StoredComment(comment_->toPlainText(), slot.comment);
  // Every comment line of a layer ends in CR LF, the last one too.
  if (!comment.empty() && !comment.ends_with("\r\n")) comment += "\r\n";
  slot.comment = comment;
  list_->item(layer)->setText(LayerEntry(layer, slot.fileName));
  changed_ = true;
}

}  // namespace fendo
