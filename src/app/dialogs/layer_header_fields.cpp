#include "app/dialogs/layer_header_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialogs/line_breaks.h"
#include "app/dialogs/number_field.h"
#include "core/layer_table.h"

namespace fendo {
namespace {

constexpr int kLargestHeaderNumber = 100000;  // program, tool, offset and spindle of a layer
constexpr int kCommentLines = 4;

}  // namespace

LayerHeaderFields::LayerHeaderFields(QWidget* owner)
    : programNumber(new NumberField(QStringLiteral("Layer ProgNum"), owner)),
      toolNumber(new NumberField(QStringLiteral("Layer ToolNum"), owner)),
      lengthOffset(new NumberField(QStringLiteral("Layer ToolOffset"), owner)),
      spindle(new NumberField(QStringLiteral("Layer spindle"), owner)),
      comment(new QPlainTextEdit(owner)),
      owner_(owner) {}

QPushButton* LayerHeaderFields::AddTo(QGridLayout& grid, int row) {
  for (NumberField* field : {programNumber, toolNumber, lengthOffset, spindle}) {
    grid.addWidget(new QLabel(field->Label(), owner_), row, 0);
    grid.addWidget(field, row++, 1);
  }
  grid.addWidget(new QLabel(QStringLiteral("<< Layer 주석문 >>"), owner_), row++, 0, 1, 2);
  comment->setTabChangesFocus(true);
  comment->setFixedHeight(comment->fontMetrics().lineSpacing() * kCommentLines);
  grid.addWidget(comment, row++, 0, 1, 2);
  auto* update = new QPushButton(QStringLiteral("Layer update"), owner_);
  grid.addWidget(update, row, 1);
  return update;
}

void LayerHeaderFields::Show(const LayerSlot& slot) {
  programNumber->setText(QString::number(slot.programNumber));
  toolNumber->setText(QString::number(slot.toolNumber));
  lengthOffset->setText(QString::number(slot.lengthOffset));
  spindle->setText(QString::number(slot.spindle));
  comment->setPlainText(ShownComment(slot.comment));
}

std::optional<LayerHeaderFields::Numbers> LayerHeaderFields::Take(const TakeWhole& take) const {
  Numbers n;
  if (!take(programNumber, n.program, 0, kLargestHeaderNumber) || !take(toolNumber, n.tool, 0, kLargestHeaderNumber) ||
      !take(lengthOffset, n.offset, 0, kLargestHeaderNumber) || !take(spindle, n.spindle, 0, kLargestHeaderNumber)) {
    return std::nullopt;
  }
  return n;
}

void LayerHeaderFields::Store(const Numbers& numbers, LayerSlot& slot) const {
  slot.programNumber = numbers.program;
  slot.toolNumber = numbers.tool;
  slot.lengthOffset = numbers.offset;
  slot.spindle = numbers.spindle;
  std::string stored = StoredComment(comment->toPlainText(), slot.comment);
  // Every comment line of a layer ends in CR LF, the last one too.
  if (!stored.empty() && !stored.ends_with("\r\n")) stored += "\r\n";
  slot.comment = stored;
}

}  // namespace fendo
