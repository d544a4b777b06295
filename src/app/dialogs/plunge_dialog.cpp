#include "app/dialogs/plunge_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

#include "app/dialogs/dialog_layout.h"

namespace fendo {
namespace {

// A radio button named `name` in `group`, standing for `id`, on when `id` is the value's.
QRadioButton* Radio(QButtonGroup* group, const char* name, const QString& text, int id, int checkedId,
                    QWidget* parent) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  group->addButton(button, id);
  button->setChecked(id == checkedId);
  return button;
}

QGroupBox* Group(const QString& title, QLayout* content, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setLayout(content);
  return box;
}

QFormLayout* Form(std::initializer_list<NumberField*> fields) {
  auto* form = new QFormLayout;
  for (NumberField* field : fields) form->addRow(field->Label(), field);
  return form;
}

}  // namespace

CPlungeDlg::CPlungeDlg(const PlungeParams& params, QWidget* parent)
    : OptionsDialog(QStringLiteral("플런지 조건을 입력하시요!!"), parent),
      params_(params),
      method_(new QButtonGroup(this)),
      scope_(new QButtonGroup(this)),
      length_(AddNumberField("length", QStringLiteral("길이"))),
      zAngle_(AddNumberField("zAngle", QStringLiteral("Z각도"))),
      xyAngle_(AddNumberField("xyAngle", QStringLiteral("XY 각도"))),
      newRapidHeight_(CheckBox("newRapidHeight", QStringLiteral("급속이송 높이"), params.newRapidHeight, this)),
      rapidHeight_(AddNumberField("rapidHeight", QStringLiteral("급속이송 높이"))),
      passMachined_(CheckBox("passMachined", QStringLiteral("가공된 지점 통과하기"), params.passMachined, this)),
      machinedClearance_(AddNumberField("machinedClearance", QStringLiteral("가공된 지점 통과하기"))),
      circleRadius_(AddNumberField("circleRadius", QStringLiteral("반 경"))),
      circleLength_(AddNumberField("circleLength", QStringLiteral("길 이"))),
      circlePitch_(AddNumberField("circlePitch", QStringLiteral("피치 각도"))),
      circleDepth_(AddNumberField("circleDepth", QStringLiteral("원형길이"))),
      groovePlungeLength_(AddNumberField("groovePlungeLength", QStringLiteral("플런지 길이"))),
      grooveLength_(AddNumberField("grooveLength", QStringLiteral("홈 길이"))),
      grooveDepth_(AddNumberField("grooveDepth", QStringLiteral("홈 깊이"))),
      groovePitch_(AddNumberField("groovePitch", QStringLiteral("피치 각도"))),
      usePlungeFeed_(CheckBox("usePlungeFeed", QStringLiteral("플런지 피드"), params.usePlungeFeed, this)),
      plungeFeed_(AddNumberField("plungeFeed", QStringLiteral("플런지 피드"))),
      selectedOnly_(CheckBox("selectedOnly", QStringLiteral("선택된 영역만"), params.selectedOnly, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const int method = static_cast<int>(params.method);
  auto* methods = new QHBoxLayout;
  QRadioButton* angle = Radio(method_, "angle", QStringLiteral("각도"), static_cast<int>(PlungeMethod::Angle), method, this);
  QRadioButton* circle =
      Radio(method_, "circle", QStringLiteral("원형"), static_cast<int>(PlungeMethod::Circle), method, this);
  QRadioButton* groove =
      Radio(method_, "groove", QStringLiteral("직선 홈"), static_cast<int>(PlungeMethod::Groove), method, this);
  for (QRadioButton* button : {angle, circle, groove}) methods->addWidget(button);
  layout->addWidget(Group(QStringLiteral("<< 플런지 방식 >>"), methods, this));

  const int scope = static_cast<int>(params.scope);
  auto* angleGrid = new QGridLayout;
  QRadioButton* all = Radio(scope_, "scopeAll", QStringLiteral("전체"), static_cast<int>(AnglePlungeScope::All), scope, this);
  QRadioButton* none =
      Radio(scope_, "scopeNone", QStringLiteral("없음"), static_cast<int>(AnglePlungeScope::None), scope, this);
  QRadioButton* byLength =
      Radio(scope_, "scopeLength", QStringLiteral("길이"), static_cast<int>(AnglePlungeScope::Length), scope, this);
  angleGrid->addWidget(all, 0, 0);
  angleGrid->addWidget(none, 1, 0);
  angleGrid->addWidget(byLength, 2, 0);
  angleGrid->addWidget(length_, 2, 1);
  angleGrid->addLayout(Form({zAngle_, xyAngle_}), 3, 0, 1, 2);
  layout->addWidget(Group(QStringLiteral("<< 각도 플런지 >>"), angleGrid, this));

  auto* switches = new QFormLayout;
  switches->addRow(newRapidHeight_, rapidHeight_);
  switches->addRow(passMachined_, machinedClearance_);
  layout->addLayout(switches);

  layout->addWidget(Group(QStringLiteral("<< 원형 플런지 >>"),
                          Form({circleRadius_, circleLength_, circlePitch_, circleDepth_}), this));
  layout->addWidget(Group(QStringLiteral("<< 직선 홈 플런지 >>"),
                          Form({groovePlungeLength_, grooveLength_, grooveDepth_, groovePitch_}), this));

  auto* feed = new QFormLayout;
  feed->addRow(usePlungeFeed_, plungeFeed_);
  feed->addRow(selectedOnly_);
  layout->addLayout(feed);

  for (const auto& [field, v] : {std::pair{length_, params.length}, std::pair{zAngle_, params.zAngle},
                                 std::pair{xyAngle_, params.xyAngle}, std::pair{rapidHeight_, params.rapidHeight},
                                 std::pair{machinedClearance_, params.machinedClearance},
                                 std::pair{circleRadius_, params.circleRadius}, std::pair{circleLength_, params.circleLength},
                                 std::pair{circlePitch_, params.circlePitch}, std::pair{circleDepth_, params.circleDepth},
                                 std::pair{groovePlungeLength_, params.groovePlungeLength},
                                 std::pair{grooveLength_, params.grooveLength}, std::pair{grooveDepth_, params.grooveDepth},
                                 std::pair{groovePitch_, params.groovePitch}}) {
    field->SetNumber(v);
  }
  plungeFeed_->SetNumber(static_cast<double>(params.plungeFeed));

  const AcceptRejectButtons buttons = AddAcceptReject(*this, *layout);
  ChainTabOrder({angle, circle, groove, all, none, byLength, length_, zAngle_, xyAngle_, newRapidHeight_, rapidHeight_,
                 passMachined_, machinedClearance_, circleRadius_, circleLength_, circlePitch_, circleDepth_,
                 groovePlungeLength_, grooveLength_, grooveDepth_, groovePitch_, usePlungeFeed_, plungeFeed_,
                 selectedOnly_, buttons.accept, buttons.reject});
  method_->checkedButton()->setFocus();
}

bool CPlungeDlg::TakeFields() {
  PlungeParams taken = params_;
  taken.method = static_cast<PlungeMethod>(method_->checkedId());
  taken.scope = static_cast<AnglePlungeScope>(scope_->checkedId());
  for (const auto& [field, v] :
       {std::pair{length_, &taken.length}, std::pair{zAngle_, &taken.zAngle}, std::pair{xyAngle_, &taken.xyAngle},
        std::pair{rapidHeight_, &taken.rapidHeight}, std::pair{machinedClearance_, &taken.machinedClearance},
        std::pair{circleRadius_, &taken.circleRadius}, std::pair{circleLength_, &taken.circleLength},
        std::pair{circlePitch_, &taken.circlePitch}, std::pair{circleDepth_, &taken.circleDepth},
        std::pair{groovePlungeLength_, &taken.groovePlungeLength}, std::pair{grooveLength_, &taken.grooveLength},
        std::pair{grooveDepth_, &taken.grooveDepth}, std::pair{groovePitch_, &taken.groovePitch}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  if (!TakeWholeNumber(plungeFeed_, taken.plungeFeed)) return false;
  taken.newRapidHeight = newRapidHeight_->isChecked();
  taken.passMachined = passMachined_->isChecked();
  taken.usePlungeFeed = usePlungeFeed_->isChecked();
  taken.selectedOnly = selectedOnly_->isChecked();
  if (!HoldToRanges(CheckPlungeParams(taken))) return false;
  params_ = taken;
  return true;
}

}  // namespace fendo
