#pragma once

#include "app/dialogs/shape_dialog.h"
#include "generate/profile.h"

class QButtonGroup;

namespace fendo {

// "Profile Dialog": the profile's shape and side ("<< 방향 >>"), its rectangle or circle, the
// stepovers, the passes, the levels, the allowance and the tapers. OK takes every field and
// refuses a value out of its range on its field; the dialog then stays open.
class ProfileDialog : public ShapeDialog {
 public:
  explicit ProfileDialog(const ProfileParams& params, QWidget* parent = nullptr);

  const ProfileParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  ProfileParams params_;
  QButtonGroup* shape_;
  QButtonGroup* side_;
  OutlineFields outline_;
  NumberField* passes_;
};

}  // namespace fendo
