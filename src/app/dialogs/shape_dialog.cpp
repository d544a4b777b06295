#include "app/dialogs/shape_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/number_field.h"

namespace fendo {

QRadioButton* ShapeDialog::Radio(QButtonGroup* group, const char* name, const QString& text, int id, int checkedId) {
  auto* button = new QRadioButton(text, this);
  button->setObjectName(QString::fromLatin1(name));
  group->addButton(button, id);
  button->setChecked(id == checkedId);
  return button;
}

QGroupBox* ShapeDialog::RadioBox(const QString& title, QButtonGroup* group) {
  auto* row = new QHBoxLayout;
  for (QAbstractButton* button : group->buttons()) row->addWidget(button);
  auto* box = new QGroupBox(title, this);
  box->setLayout(row);
  return box;
}

QGroupBox* ShapeDialog::FieldBox(const QString& title, const std::vector<NumberField*>& fields) {
  auto* form = new QFormLayout;
  for (NumberField* field : fields) form->addRow(field->Label(), field);
  auto* box = new QGroupBox(title, this);
  box->setLayout(form);
  return box;
}

QGroupBox* ShapeDialog::AddShapes(QButtonGroup* group, PocketShape shape) {
  const int checked = static_cast<int>(shape);
  Radio(group, "rectangle", QStringLiteral("사각형"), static_cast<int>(PocketShape::Rectangle), checked);
  Radio(group, "rounded", QStringLiteral("라운드 사각형"), static_cast<int>(PocketShape::RoundedRectangle), checked);
  Radio(group, "circle", QStringLiteral("원형"), static_cast<int>(PocketShape::Circle), checked);
  return RadioBox({}, group);
}

OutlineFields ShapeDialog::AddOutlineFields(const QString& circleRadiusLabel, const QString& xyStepoverLabel) {
  NumberField* cornerRadius = AddNumberField("cornerRadius", QStringLiteral("코너반경"));
  NumberField* circleRadius = AddNumberField("circleRadius", circleRadiusLabel);
  NumberField* xyStepover = AddNumberField("xyStepover", xyStepoverLabel);
  NumberField* zStepover = AddNumberField("zStepover", QStringLiteral("Z Stepover"));
  NumberField* startHeight = AddNumberField("startHeight", QStringLiteral("시작 높이"));
  NumberField* zDepth = AddNumberField("zDepth", QStringLiteral("Z 깊이"));
  NumberField* allowance = AddNumberField("allowance", QStringLiteral("가공 여유"));
  return {cornerRadius, circleRadius, xyStepover, zStepover, startHeight, zDepth, allowance};
}

void ShapeDialog::SetNumber(NumberField* field, double v) { field->SetNumber(v); }

QGroupBox* ShapeDialog::AddRectangle(const RectangleFields& fields) {
  form_ = new QButtonGroup(this);
  const int form = static_cast<int>(fields.form);
  Radio(form_, "centreSize", QStringLiteral("중심, 크기"), static_cast<int>(ShapeForm::CentreSize), form);
  Radio(form_, "minSize", QStringLiteral("최소, 크기"), static_cast<int>(ShapeForm::MinSize), form);
  Radio(form_, "minMax", QStringLiteral("최소, 최대"), static_cast<int>(ShapeForm::MinMax), form);
  xMax_ = AddNumberField("xMax", QStringLiteral("X 최대"));
  xMin_ = AddNumberField("xMin", QStringLiteral("X 최소"));
  xSize_ = AddNumberField("xSize", QStringLiteral("X 크기"));
  yMax_ = AddNumberField("yMax", QStringLiteral("Y 최대"));
  yMin_ = AddNumberField("yMin", QStringLiteral("Y 최소"));
  ySize_ = AddNumberField("ySize", QStringLiteral("Y 크기"));
  xCentre_ = AddNumberField("xCentre", QStringLiteral("X 중심"));
  yCentre_ = AddNumberField("yCentre", QStringLiteral("Y 중심"));
  for (const auto& [field, v] : {std::pair{xMax_, fields.xMax}, std::pair{xMin_, fields.xMin},
                                 std::pair{xSize_, fields.xSize}, std::pair{yMax_, fields.yMax},
                                 std::pair{yMin_, fields.yMin}, std::pair{ySize_, fields.ySize},
                                 std::pair{xCentre_, fields.xCentre}, std::pair{yCentre_, fields.yCentre}}) {
    field->SetNumber(v);
  }
  auto* layout = new QVBoxLayout;
  layout->addWidget(RadioBox({}, form_));
  auto* numbers = new QFormLayout;
  for (NumberField* field : {xMax_, xMin_, xSize_, yMax_, yMin_, ySize_, xCentre_, yCentre_}) {
    numbers->addRow(field->Label(), field);
  }
  layout->addLayout(numbers);
  auto* box = new QGroupBox(QStringLiteral("<< 변수 Type >>"), this);
  box->setLayout(layout);
  return box;
}

bool ShapeDialog::TakeRectangle(RectangleFields& fields) {
  RectangleFields taken = fields;
  taken.form = static_cast<ShapeForm>(form_->checkedId());
  for (const auto& [field, v] : {std::pair{xMax_, &taken.xMax}, std::pair{xMin_, &taken.xMin},
                                 std::pair{xSize_, &taken.xSize}, std::pair{yMax_, &taken.yMax},
                                 std::pair{yMin_, &taken.yMin}, std::pair{ySize_, &taken.ySize},
                                 std::pair{xCentre_, &taken.xCentre}, std::pair{yCentre_, &taken.yCentre}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  fields = taken;
  return true;
}

QGroupBox* ShapeDialog::AddTapers(const TaperFields& taper) {
  singleTaper_ = CheckBox("singleTaper", QStringLiteral("단일 taper"), taper.single, this);
  taperAngle_ = AddNumberField("taperAngle", QStringLiteral("단일 taper"));
  xPlusTaper_ = AddNumberField("xPlusTaper", QStringLiteral("X + taper"));
  xMinusTaper_ = AddNumberField("xMinusTaper", QStringLiteral("X -  taper"));
  yPlusTaper_ = AddNumberField("yPlusTaper", QStringLiteral("Y + taper"));
  yMinusTaper_ = AddNumberField("yMinusTaper", QStringLiteral("Y -  taper"));
  for (const auto& [field, v] : {std::pair{taperAngle_, taper.angle}, std::pair{xPlusTaper_, taper.xPlus},
                                 std::pair{xMinusTaper_, taper.xMinus}, std::pair{yPlusTaper_, taper.yPlus},
                                 std::pair{yMinusTaper_, taper.yMinus}}) {
    field->SetNumber(v);
  }
  auto* layout = new QVBoxLayout;
  auto* single = new QFormLayout;
  single->addRow(singleTaper_, taperAngle_);
  layout->addLayout(single);
  layout->addWidget(
      FieldBox(QStringLiteral("<< 다중 taper angle >>"), {xPlusTaper_, xMinusTaper_, yPlusTaper_, yMinusTaper_}));
  auto* box = new QGroupBox(this);
  box->setLayout(layout);
  return box;
}

bool ShapeDialog::TakeTapers(TaperFields& taper) {
  TaperFields taken = taper;
  taken.single = singleTaper_->isChecked();
  for (const auto& [field, v] : {std::pair{taperAngle_, &taken.angle}, std::pair{xPlusTaper_, &taken.xPlus},
                                 std::pair{xMinusTaper_, &taken.xMinus}, std::pair{yPlusTaper_, &taken.yPlus},
                                 std::pair{yMinusTaper_, &taken.yMinus}}) {
    if (!TakeNumber(field, *v)) return false;
  }
  taper = taken;
  return true;
}

}  // namespace fendo
