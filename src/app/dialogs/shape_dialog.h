#pragma once

#include <QString>

#include <array>
#include <vector>

#include "app/dialogs/options_dialog.h"
#include "generate/pocket.h"
#include "generate/rectangle_shape.h"
#include "generate/z_levels.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace fendo {

// The numbers a pocket and a profile share, in their dialogs' order: "코너반경", the circle's
// radius, the XY and Z stepovers, "시작 높이", "Z 깊이" and "가공 여유".
template <typename P>
inline constexpr std::array<double P::*, 7> kOutlineNumbers = {
    &P::cornerRadius, &P::circleRadius, &P::xyStepover, &P::zStepover, &P::startHeight, &P::zDepth, &P::allowance};
using OutlineFields = std::array<NumberField*, 7>;

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
  QGroupBox* FieldBox(const QString& title, const std::vector<NumberField*>& fields);

  // The radio buttons of the pocket shapes ("사각형", "라운드 사각형", "원형") in `group`, `shape`
  // on, in an untitled box.
  QGroupBox* AddShapes(QButtonGroup* group, PocketShape shape);

  // The fields of kOutlineNumbers, named after them; the circle's radius and the XY stepover
  // carry each dialog's own label.
  OutlineFields AddOutlineFields(const QString& circleRadiusLabel, const QString& xyStepoverLabel);
  template <typename P>
  static void SetOutlineFields(const OutlineFields& fields, const P& params) {
    for (std::size_t i = 0; i < fields.size(); ++i) SetNumber(fields[i], params.*kOutlineNumbers<P>[i]);
  }
  template <typename P>
  bool TakeOutlineFields(const OutlineFields& fields, P& taken) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (!TakeNumber(fields[i], taken.*kOutlineNumbers<P>[i])) return false;
    }
    return true;
  }

  // The rectangle's form and fields, set to `fields`.
  QGroupBox* AddRectangle(const RectangleFields& fields);
  bool TakeRectangle(RectangleFields& fields);

  // The tapers, set to `taper`.
  QGroupBox* AddTapers(const TaperFields& taper);
  bool TakeTapers(TaperFields& taper);

 private:
  static void SetNumber(NumberField* field, double v);

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
