#pragma once

#include "app/dialogs/shape_dialog.h"
#include "generate/face.h"

class QButtonGroup;

namespace fendo {

// "FaceMill": the rectangle, the direction ("<< 방향 >>"), the stepover and the cutting height.
// OK takes every field and refuses a value out of its range on its field; the dialog then stays
// open.
class FaceDialog : public ShapeDialog {
 public:
  explicit FaceDialog(const FaceParams& params, QWidget* parent = nullptr);

  const FaceParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  FaceParams params_;
  QButtonGroup* direction_;
  NumberField* stepover_;
  NumberField* cuttingHeight_;
};

}  // namespace fendo
