#pragma once

#include <QString>

#include "app/dialogs/options_dialog.h"
#include "generate/rectangle_shape.h"
#include "generate/z_levels.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace fendo {

// The parts the pocket, profile and facing dialogs share: the rectangle in one of its three
// forms ("<< 변수 Type >>") and the tapers ("단일 taper", "<< 다중 taper angle >>"). The number
// fields are named after the engine's fields, so that a value out of range is refused on its
// own field.
class ShapeDialog : public OptionsDialog {
 protected:
  using OptionsDialog::OptionsDialog;

  // A radio button named `name` in `group`, standing for `id`, on when `id` is `checkedId`.
  QRadioButton* Radio(QButtonGroup* group, const char* name, const QString& text, int id, int checkedId);
  // A group box titled `title` around the radio buttons of `group`, side by side.
  QGroupBox* RadioBox(const QString& title, QButtonGroup* group);
  // A group box titled `title` with the number fields in a form, each with its label.
  QGroupBox* FieldBox(const QString& title, std::initializer_list<NumberField*> fields);

  // The rectangle's form and fields, set to `fields`.
  QGroupBox* AddRectangle(const RectangleFields& fields);
  bool TakeRectangle(RectangleFields& fields);

  // The tapers, set to `taper`.
  QGroupBox* AddTapers(const TaperFields& taper);
  bool TakeTapers(TaperFields& taper);

 private:
  QButtonGroup* form_ = nullptr;
  NumberField* xMax_ = nullptr;
  NumberField* xMin_ = nullptr;
  NumberField* xSize_ = nullptr;
  NumberField* yMax_ = nullptr;
  NumberField* yMin_ = nullptr;
  NumberField* ySize_ = nullptr;
  NumberField* xCentre_ = nullptr;
  NumberField* yCentre_ = nullptr;
  QCheckBox* singleTaper_ = nullptr;
  NumberField* taperAngle_ = nullptr;
  NumberField* xPlusTaper_ = nullptr;
  NumberField* xMinusTaper_ = nullptr;
  NumberField* yPlusTaper_ = nullptr;
  NumberField* yMinusTaper_ = nullptr;
};

}  // namespace fendo
