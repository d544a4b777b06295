#include "app/dialogs/echo_layer_dialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/qt_text.h"
#include "edit/echo_list.h"

namespace fendo {
namespace {

constexpr int kBoxesPerRow = 10;
// Set on a list edit while it holds text not yet applied to the boxes.
constexpr char kPendingProperty[] = "pendingList";

}  // namespace

CEchoLayerDlg::CEchoLayerDlg(const EchoFlags& flags, QWidget* parent)
    : CheckedDialog(QStringLiteral("Echo Layer"), parent), layersOn_(new QLineEdit(this)), layersOff_(new QLineEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) {
    boxes_[layer] = CheckBox(QStringLiteral("layer%1").arg(layer).toLatin1().constData(), QString::number(layer),
                             flags[layer], this);
    grid->addWidget(boxes_[layer], layer / kBoxesPerRow, layer % kBoxesPerRow);
  }
  layout->addLayout(grid);

  auto* allOn = new QPushButton(QStringLiteral("All ON"), this);
  auto* allOff = new QPushButton(QStringLiteral("All OFF"), this);
  allOn->setAutoDefault(false);
  allOff->setAutoDefault(false);
  connect(allOn, &QPushButton::clicked, this, [this] { SetAll(true); });
  connect(allOff, &QPushButton::clicked, this, [this] { SetAll(false); });
  layout->addLayout(ButtonRow({allOn, allOff}));

  auto* lists = new QFormLayout;
  layersOn_->setObjectName(QStringLiteral("layersOn"));
  layersOff_->setObjectName(QStringLiteral("layersOff"));
  for (QLineEdit* edit : {layersOn_, layersOff_}) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, edit, [edit] { edit->setProperty(kPendingProperty, true); });
  }
  lists->addRow(QStringLiteral("Layer ON"), layersOn_);
  lists->addRow(QStringLiteral("Layer OFF"), layersOff_);
  layout->addLayout(lists);
  AddAcceptReject(*this, *layout);
}

EchoFlags CEchoLayerDlg::values() const {
  EchoFlags flags{};
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) flags[layer] = boxes_[layer]->isChecked();
  return flags;
}

bool CEchoLayerDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  // A list refused keeps its text when the message gives the focus back, to be mended.
  if (edit && event->type() == QEvent::FocusIn && !edit->property(kPendingProperty).toBool()) edit->clear();
  // Focus taken by another window (the message that refuses a list) is no leaving of the list.
  if (edit && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) ApplyList(edit);
  }
  return CheckedDialog::eventFilter(watched, event);
}

bool CEchoLayerDlg::ApplyList(QLineEdit* edit) {
  if (!edit->property(kPendingProperty).toBool()) return true;
  const EchoList list = ParseEchoList(ToUtf8(edit->text()));
  const QString label = edit == layersOn_ ? QStringLiteral("Layer ON") : QStringLiteral("Layer OFF");
  if (list.badItem) {
    return Refuse(edit, QStringLiteral("%1: \"%2\" - 0 ~ %3 사이의 layer 번호나 \"3-7\" 같은 범위를 입력하시요.")
                            .arg(label, Utf8(*list.badItem))
                            .arg(LayerTable::kUserLayers - 1));
  }
  for (const int layer : list.layers) boxes_[layer]->setChecked(edit == layersOn_);
  edit->setProperty(kPendingProperty, false);
  return true;
}

bool CEchoLayerDlg::TakeFields() { return ApplyList(layersOn_) && ApplyList(layersOff_); }

void CEchoLayerDlg::SetAll(bool on) {
  for (QCheckBox* box : boxes_) box->setChecked(on);
}

}  // namespace fendo
