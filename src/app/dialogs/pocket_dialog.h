#pragma once

#include "app/dialogs/shape_dialog.h"
#include "generate/pocket.h"

class QButtonGroup;

namespace fendo {

// "Pocket ": the pocket's shape, its rectangle or circle, the stepovers, the levels, the
// allowance and the tapers. OK takes every field and refuses a value out of its range on its
// field; the dialog then stays open.
class PocketDialog : public ShapeDialog {
 public:
  explicit PocketDialog(const PocketParams& params, QWidget* parent = nullptr);

  const PocketParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  PocketParams params_;
  QButtonGroup* shape_;
  OutlineFields outline_;
};

}  // namespace fendo
