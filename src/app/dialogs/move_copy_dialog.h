#pragma once

#include "app/dialogs/options_dialog.h"
#include "edit/transform.h"

class QButtonGroup;
class QCheckBox;

namespace fendo {

// CMoveCopyDlg, "공구경로 이동, 회전, 미러, 복사": the method, the distances, the angle about Z
// (the X and Y turns are shown but cannot be used), the centre, the mirror and scale factors
// and the number of copies. OK takes every field and holds the values to their ranges.
class CMoveCopyDlg : public OptionsDialog {
 public:
  explicit CMoveCopyDlg(const TransformParams& params, QWidget* parent = nullptr);

  const TransformParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  TransformParams params_;
  QButtonGroup* method_;
  QCheckBox* moveX_;
  NumberField* dx_;
  QCheckBox* moveY_;
  NumberField* dy_;
  QCheckBox* moveZ_;
  NumberField* dz_;
  QCheckBox* rotateZ_;
  NumberField* angle_;
  NumberField* centreX_;
  NumberField* centreY_;
  NumberField* centreZ_;
  QCheckBox* scaleX_;
  NumberField* sx_;
  QCheckBox* scaleY_;
  NumberField* sy_;
  QCheckBox* scaleZ_;
  NumberField* sz_;
  QCheckBox* copy_;
  NumberField* copies_;
};

}  // namespace fendo
