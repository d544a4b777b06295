#include "app/dialogs/value_dialogs.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"
#include "app/qt_text.h"

namespace fendo {
namespace {

const QString kAskValuesTitle = QStringLiteral("변수를 입력하시요!!");

}  // namespace

ValueDialog::ValueDialog(const QString& title, QWidget* parent)
    : CheckedDialog(title, parent), layout_(new QVBoxLayout(this)), form_(new QFormLayout) {
  layout_->setSizeConstraint(QLayout::SetFixedSize);
  layout_->addLayout(form_);
}

NumberField* ValueDialog::AddField(const QString& label) {
  auto* field = new NumberField(label, this);
  form_->addRow(label, field);
  fields_.append(field);
  return field;
}

void ValueDialog::AddButtons() {
  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout_);
  ChainTabOrder(fields_ + QList<QWidget*>{buttons.accept, buttons.reject});
  fields_.front()->setFocus();
}

COneValueDlg::COneValueDlg(const OneValue& values, QWidget* parent)
    : ValueDialog(kAskValuesTitle, parent), values_(values), value_(AddField(Utf8(values.label))) {
  value_->SetNumber(values.value);
  AddButtons();
}

bool COneValueDlg::TakeFields() {
  OneValue taken = values_;
  if (!TakeNumber(value_, taken.value)) return false;
  values_ = taken;
  return true;
}

// Each label stands beside the value it names, and the first value comes first.
CTwoValueDlg::CTwoValueDlg(const TwoValues& values, QWidget* parent)
    : ValueDialog(kAskValuesTitle, parent),
      values_(values),
      value1_(AddField(Utf8(values.label1))),
      value2_(AddField(Utf8(values.label2))) {
  value1_->SetNumber(values.value1);
  value2_->SetNumber(values.value2);
  AddButtons();
}

bool CTwoValueDlg::TakeFields() {
  TwoValues taken = values_;
  if (!TakeNumber(value1_, taken.value1) || !TakeNumber(value2_, taken.value2)) return false;
  values_ = taken;
  return true;
}

CThreeValueDlg::CThreeValueDlg(const ThreeValues& values, QWidget* parent)
    : ValueDialog(kAskValuesTitle, parent),
      values_(values),
      value1_(AddField(Utf8(values.label1))),
      value2_(AddField(Utf8(values.label2))),
      value3_(AddField(Utf8(values.label3))) {
  value1_->SetNumber(values.value1);
  value2_->SetNumber(values.value2);
  value3_->SetNumber(values.value3);
  AddButtons();
}

bool CThreeValueDlg::TakeFields() {
  ThreeValues taken = values_;
  if (!TakeNumber(value1_, taken.value1) || !TakeNumber(value2_, taken.value2) ||
      !TakeNumber(value3_, taken.value3)) {
    return false;
  }
  values_ = taken;
  return true;
}

CXYRangeDlg::CXYRangeDlg(const XYRange& values, QWidget* parent)
    : ValueDialog(QStringLiteral("XY 영역"), parent),
      values_(values),
      xMin_(AddField(QStringLiteral("X값 최소"))),
      yMin_(AddField(QStringLiteral("Y값 최소"))),
      xMax_(AddField(QStringLiteral("X값 최대"))),
      yMax_(AddField(QStringLiteral("Y값 최대"))) {
  xMin_->SetNumber(values.xMin);
  yMin_->SetNumber(values.yMin);
  xMax_->SetNumber(values.xMax);
  yMax_->SetNumber(values.yMax);
  AddButtons();
}

bool CXYRangeDlg::TakeFields() {
  XYRange taken = values_;
  if (!TakeNumber(xMin_, taken.xMin) || !TakeNumber(yMin_, taken.yMin) || !TakeNumber(xMax_, taken.xMax) ||
      !TakeNumber(yMax_, taken.yMax)) {
    return false;
  }
  values_ = taken;
  return true;
}

CCentreRadiusDlg::CCentreRadiusDlg(const CentreRadius& values, QWidget* parent)
    : ValueDialog(QStringLiteral("중심좌표와 반경을 입력하시요."), parent),
      values_(values),
      x_(AddField(QStringLiteral("X 좌표"))),
      y_(AddField(QStringLiteral("Y 좌표"))),
      z_(AddField(QStringLiteral("Z 좌표"))),
      radius_(AddField(QStringLiteral("반경"))) {
  x_->SetNumber(values.x);
  y_->SetNumber(values.y);
  z_->SetNumber(values.z);
  radius_->SetNumber(values.radius);
  AddButtons();
}

bool CCentreRadiusDlg::TakeFields() {
  CentreRadius taken = values_;
  if (!TakeNumber(x_, taken.x) || !TakeNumber(y_, taken.y) || !TakeNumber(z_, taken.z) ||
      !TakeNumber(radius_, taken.radius)) {
    return false;
  }
  values_ = taken;
  return true;
}

CDirectionDlg::CDirectionDlg(const Direction& values, QWidget* parent)
    : ValueDialog(QStringLiteral("방향을 지정하시요 !!!"), parent),
      values_(values),
      x_(AddField(QStringLiteral("X 방향"))),
      y_(AddField(QStringLiteral("Y 방향"))),
      z_(AddField(QStringLiteral("Z 방향"))) {
  x_->SetNumber(values.x);
  y_->SetNumber(values.y);
  z_->SetNumber(values.z);
  AddButtons();
}

bool CDirectionDlg::TakeFields() {
  Direction taken = values_;
  if (!TakeNumber(x_, taken.x) || !TakeNumber(y_, taken.y) || !TakeNumber(z_, taken.z)) return false;
  values_ = taken;
  return true;
}

}  // namespace fendo
