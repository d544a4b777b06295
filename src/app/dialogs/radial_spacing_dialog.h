#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "generate/radial_spacing.h"

namespace fendo {

// RadialSpacingDialog, "방사선 간격조절": the centre the spokes run through, the angle they share
// and the spacing they keep near the centre. OK refuses a minimum spacing not above 0 and a
// large angle equal to the small one, on their fields, before the command takes a snapshot.
class RadialSpacingDialog : public NumberFormFrame {
 public:
  explicit RadialSpacingDialog(const RadialSpacingParams& params, QWidget* parent = nullptr);

  const RadialSpacingParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  RadialSpacingParams params_;
  NumberField* centreX_;
  NumberField* centreY_;
  NumberField* centreZ_;
  NumberField* smallAngle_;
  NumberField* largeAngle_;
  NumberField* minimumSpacing_;
};

}  // namespace fendo
