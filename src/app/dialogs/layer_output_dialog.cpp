#include "app/dialogs/layer_output_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/line_breaks.h"
#include "app/dialogs/number_field.h"
#include "app/dialogs/path_button.h"
#include "app/qt_text.h"
#include "core/layer_table.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

constexpr int kListLines = 12;

}  // namespace

QString LayerEntry(int layer, const std::string& name) {
  return QStringLiteral("%1  %2").arg(layer, 3).arg(Utf8(name));
}

std::optional<int> CountListedLayers(const QString& text) {
  static const QRegularExpression token(QStringLiteral("^(\\d{1,3})(?:-(\\d{1,3}))?$"));
  int count = 0;
  for (const QString& piece : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
    const QRegularExpressionMatch match = token.match(piece);
    if (!match.hasMatch()) return std::nullopt;
    const int first = match.captured(1).toInt();
    const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
    if (first >= LayerTable::kUserLayers || last >= LayerTable::kUserLayers) return std::nullopt;
    count += std::max(0, last - first + 1);
  }
  return count;
}

LayerOutputDialog::LayerOutputDialog(LayerTable& layers, int currentLayer, const LayerOutputChoice& choice,
                                     const QString& ncFilter, QWidget* parent)
    : CheckedDialog(QStringLiteral("Dialog"), parent),
      layers_(layers),
      choice_(choice),
      output_(new PathButton(
          choice.outputPath,
          [this, ncFilter](const QString& current) { return QFileDialog::getSaveFileName(this, QString(), current, ncFilter); },
          this)),
      list_(new QListWidget(this)),
      name_(new QLineEdit(this)),
      header_(this),
      layerText_(new QLineEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* outputRow = new QHBoxLayout;
  outputRow->addWidget(new QLabel(QStringLiteral("출력화일"), this));
  outputRow->addWidget(output_);
  layout->addLayout(outputRow);

  auto* columns = new QHBoxLayout;
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(new QLabel(QStringLiteral("<< Layer list >>"), this));
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) list_->addItem(LayerEntry(layer, layers[layer].layerName));
  list_->setFixedHeight(list_->fontMetrics().lineSpacing() * kListLines);
  listColumn->addWidget(list_);
  columns->addLayout(listColumn);

  auto* fields = new QGridLayout;
  int row = 0;
  fields->addWidget(new QLabel(QStringLiteral("Layer 명"), this), row, 0);
  fields->addWidget(name_, row++, 1);
  QPushButton* update = header_.AddTo(*fields, row);
  columns->addLayout(fields);
  layout->addLayout(columns);

  auto* textRow = new QHBoxLayout;
  textRow->addWidget(new QLabel(QStringLiteral("출력 layer"), this));
  textRow->addWidget(layerText_);
  layout->addLayout(textRow);
  layerText_->setText(choice.layerText);
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);

  connect(list_, &QListWidget::currentRowChanged, this, [this](int layer) {
    if (layer >= 0) ShowLayer(layer);
  });
  connect(update, &QPushButton::clicked, this, [this] { UpdateLayer(); });
  const int shown = currentLayer >= 0 && currentLayer < LayerTable::kUserLayers ? currentLayer : 0;
  list_->setCurrentRow(shown);

  ChainTabOrder({output_, list_, name_, header_.programNumber, header_.toolNumber, header_.lengthOffset,
                 header_.spindle, header_.comment, update,
                 layerText_, buttons.accept, buttons.reject});
  layerText_->setFocus();
}

void LayerOutputDialog::ShowLayer(int layer) {
  const LayerSlot& slot = layers_[layer];
  name_->setText(Utf8(slot.layerName));
  header_.Show(slot);
}

std::optional<LayerHeaderFields::Numbers> LayerOutputDialog::TakeHeaderNumbers() {
  return header_.Take([this](NumberField* field, int& v, int lowest, int highest) {
    return TakeWholeNumber(field, v, lowest, highest);
  });
}

void LayerOutputDialog::UpdateLayer() {
  const int layer = list_->currentRow();
  if (layer < 0) return;
  const std::optional<LayerHeaderFields::Numbers> numbers = TakeHeaderNumbers();
  if (!numbers) return;
  LayerSlot& slot = layers_[layer];
  slot.layerName = ToUtf8(name_->text());
  header_.Store(*numbers, slot);
  list_->item(layer)->setText(LayerEntry(layer, slot.layerName));
}

bool LayerOutputDialog::TakeFields() {
  if (!TakeHeaderNumbers()) return false;
  const QString text = layerText_->text();
  const std::optional<int> count = CountListedLayers(text);
  if (!count) {
    return Refuse(layerText_, QStringLiteral("출력 layer: 0 ~ %1 사이의 layer 번호나 \"3-7\" 같은 범위를 입력하시요.")
                                  .arg(LayerTable::kUserLayers - 1));
  }
  // The output takes at most one entry per slot; a longer list would be cut short unseen.
  if (*count > LayerTable::kSlots) {
    return Refuse(layerText_, QStringLiteral("출력 layer: %1개 이하의 layer를 입력하시요.").arg(LayerTable::kSlots));
  }
  std::vector<int> layers = ParseLayerList(ToUtf8(text));
  if (!layers.empty() && output_->path().isEmpty()) return Refuse(output_, QStringLiteral("출력화일을 선택하시요."));
  choice_ = {output_->path(), text, std::move(layers)};
  return true;
}

}  // namespace fendo
