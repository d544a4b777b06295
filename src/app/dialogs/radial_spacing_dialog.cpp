#include "app/dialogs/radial_spacing_dialog.h"

namespace fendo {

RadialSpacingDialog::RadialSpacingDialog(const RadialSpacingParams& params, QWidget* parent)
    : NumberFormFrame("방사선 간격조절", parent),
      params_(params),
      centreX_(AddRow("X 중심", "centreX", nullptr)),
      centreY_(AddRow("Y 중심", "centreY", nullptr)),
      centreZ_(AddRow("Z 중심", "centreZ", nullptr)),
      smallAngle_(AddRow("작은 각도", "smallAngle", nullptr)),
      largeAngle_(AddRow("큰 각도", "largeAngle", nullptr)),
      minimumSpacing_(AddRow("최소 간격", "minimumSpacing", nullptr)) {
  Show(centreX_, params.centreX);
  Show(centreY_, params.centreY);
  Show(centreZ_, params.centreZ);
  Show(smallAngle_, params.smallAngle);
  Show(largeAngle_, params.largeAngle);
  Show(minimumSpacing_, params.minimumSpacing);
  AddButtons();
}

bool RadialSpacingDialog::TakeFields() {
  RadialSpacingParams taken = params_;
  if (!Take(centreX_, taken.centreX) || !Take(centreY_, taken.centreY) || !Take(centreZ_, taken.centreZ) ||
      !Take(smallAngle_, taken.smallAngle) || !Take(largeAngle_, taken.largeAngle) ||
      !Take(minimumSpacing_, taken.minimumSpacing)) {
    return false;
  }
  if (!(taken.minimumSpacing > 0)) {
    return Refuse(minimumSpacing_, minimumSpacing_->Label() + QStringLiteral(": 0 보다 큰 값을 입력하시요."));
  }
  // Equal angles leave the spokes no angle to share: the step between them would be 0.
  if (taken.largeAngle == taken.smallAngle) {
    return Refuse(largeAngle_, largeAngle_->Label() + QStringLiteral(": 작은 각도와 다른 값을 입력하시요."));
  }
  params_ = taken;
  return true;
}

}  // namespace fendo
