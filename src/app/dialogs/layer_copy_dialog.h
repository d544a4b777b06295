#pragma once

#include "app/dialogs/checked_dialog.h"

namespace fendo {

class NumberField;

// The source and target layer of "Layer 공구경로 복사".
struct LayerCopyChoice {
  int source = 0;
  int target = 0;
};

// "Layer  복사": "복사할 Layer" and "복사될 Layer", each a whole number of the user's layers;
// anything else is named and the dialog stays open.
class CLayerCopyDlg : public CheckedDialog {
 public:
  CLayerCopyDlg(const LayerCopyChoice& choice, QWidget* parent);
  const LayerCopyChoice& values() const { return choice_; }

 private:
  bool TakeFields() override;

  LayerCopyChoice choice_;
  NumberField* source_;
  NumberField* target_;
};

}  // namespace fendo
