#pragma once

#include "app/dialogs/options_dialog.h"
#include "generate/pencil.h"

class QCheckBox;

namespace fendo {

// PencilDialog, "펜슬 공구경로 생성": the least corner angle, the delete length and the link
// distance, and the switches "상, 하향 구분" and "XY 코너". OK takes the three values and holds
// them to their ranges.
class PencilDialog : public OptionsDialog {
 public:
  explicit PencilDialog(const PencilParams& params, QWidget* parent = nullptr);

  const PencilParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  PencilParams params_;
  NumberField* smallAngle_;
  NumberField* deleteLength_;
  NumberField* maxLink_;
  QCheckBox* separateUpDown_;
  QCheckBox* xyCorner_;
};

}  // namespace fendo
