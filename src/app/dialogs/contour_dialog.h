#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "generate/contours.h"

namespace fendo {

// ContourDialog, "등고선 변수를 입력하시요!!!": the heights between which the contours are cut,
// their spacing, the start point and the largest gap a contour bridges. OK holds every value
// to its range, so a spacing of zero or less is refused here.
class ContourDialog : public NumberFormDialog<ContourParams> {
 public:
  explicit ContourDialog(const ContourParams& params, QWidget* parent = nullptr);
};

}  // namespace fendo
