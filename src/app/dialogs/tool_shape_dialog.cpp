#include "app/dialogs/tool_shape_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {
namespace {

struct TypeChoice {
  ToolType type;
  const char* label;
};
constexpr std::array<TypeChoice, 3> kTypes = {{
    {ToolType::Flat, "평엔드밀"},
    {ToolType::Ball, "볼엔드밀"},
    {ToolType::BullNose, "불노즈 엔드밀"},
}};

// mm. A tool is drawn to scale: a radius or flute of no size, or one of metres, is a typing
// error, not a cutter.
constexpr double kSmallestRadius = 0.001;
constexpr double kLargestRadius = 500;
constexpr double kShortestFlute = 0.001;
constexpr double kLongestPart = 1000;

}  // namespace

ToolShapeDialog::ToolShapeDialog(const ToolShape& tool, QWidget* parent)
    : CheckedDialog(QStringLiteral("공구형상"), parent),
      tool_(tool),
      types_(new QButtonGroup(this)),
      radius_(new NumberField(QStringLiteral("공구 반경"), this)),
      cornerRadius_(new NumberField(QStringLiteral("코너 반경"), this)),
      fluteLength_(new NumberField(QStringLiteral("날 길이"), this)),
      shankLength_(new NumberField(QStringLiteral("생크 길이"), this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* typeBox = new QGroupBox(QStringLiteral("공구 종류"), this);
  auto* typeLayout = new QVBoxLayout(typeBox);
  for (const TypeChoice& choice : kTypes) {
    auto* button = new QRadioButton(QString::fromUtf8(choice.label), typeBox);
    types_->addButton(button, static_cast<int>(choice.type));
    typeLayout->addWidget(button);
  }
  layout->addWidget(typeBox);

  auto* form = new QFormLayout;
  for (NumberField* field : {radius_, cornerRadius_, fluteLength_, shankLength_}) form->addRow(field->Label(), field);
  layout->addLayout(form);

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);

  // A known type, or the ball every view starts with.
  QAbstractButton* typeButton = types_->button(static_cast<int>(tool.type));
  if (!typeButton) typeButton = types_->button(static_cast<int>(ToolShape{}.type));
  typeButton->setChecked(true);
  ChainTabOrder({typeButton, radius_, cornerRadius_, fluteLength_, shankLength_, buttons.accept, buttons.reject});

  radius_->SetNumber(tool.radius);
  cornerRadius_->SetNumber(tool.cornerRadius);
  fluteLength_->SetNumber(tool.fluteLength);
  shankLength_->SetNumber(tool.shankLength);
  ShowCornerOf(ChosenType());
  connect(types_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) ShowCornerOf(ChosenType());
  });
  connect(radius_, &QLineEdit::textChanged, this, [this] {
    if (ChosenType() == ToolType::Ball) cornerRadius_->setText(radius_->text());
  });
  typeButton->setFocus();
}

ToolType ToolShapeDialog::ChosenType() const { return static_cast<ToolType>(types_->checkedId()); }

void ToolShapeDialog::ShowCornerOf(ToolType type) {
  if (cornerRadius_->isEnabled()) bullNoseCorner_ = cornerRadius_->text();
  cornerRadius_->setEnabled(type == ToolType::BullNose);
  switch (type) {
    case ToolType::Flat: cornerRadius_->SetNumber(0.0); break;
    case ToolType::Ball: cornerRadius_->setText(radius_->text()); break;
    case ToolType::BullNose: cornerRadius_->setText(bullNoseCorner_); break;
  }
}

bool ToolShapeDialog::TakeFields() {
  ToolShape taken = tool_;
  taken.type = ChosenType();
  if (!TakeNumber(radius_, taken.radius, kSmallestRadius, kLargestRadius)) return false;
  switch (taken.type) {
    case ToolType::Flat: taken.cornerRadius = 0; break;
    case ToolType::Ball: taken.cornerRadius = taken.radius; break;
    case ToolType::BullNose:
      if (!TakeNumber(cornerRadius_, taken.cornerRadius, 0, taken.radius)) return false;
      break;
  }
  if (!TakeNumber(fluteLength_, taken.fluteLength, kShortestFlute, kLongestPart) ||
      !TakeNumber(shankLength_, taken.shankLength, 0, kLongestPart)) {
    return false;
  }
  tool_ = taken;
  return true;
}

}  // namespace fendo
