#pragma once

#include <array>

#include "app/dialogs/checked_dialog.h"
#include "core/layer_table.h"

class QCheckBox;
class QLineEdit;

namespace fendo {

// Which of the user's layers are drawn with the work layer.
using EchoFlags = std::array<bool, LayerTable::kUserLayers>;

// "Echo Layer": a check box per user layer, "All ON" and "All OFF", and the lists "Layer ON" and
// "Layer OFF" of layer numbers and ranges ("3 5-9", of any length), applied to the boxes when
// the list is left or OK is pressed and cleared when it is entered again. A list with an item
// that names no layer is named in a message and not applied.
class CEchoLayerDlg : public CheckedDialog {
 public:
  CEchoLayerDlg(const EchoFlags& flags, QWidget* parent);
  EchoFlags values() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TakeFields() override;
  // Applies the list in `edit` if it was typed since it was last applied; false when an item
  // was refused.
  bool ApplyList(QLineEdit* edit);
  void SetAll(bool on);

  std::array<QCheckBox*, LayerTable::kUserLayers> boxes_{};
  QLineEdit* layersOn_;
  QLineEdit* layersOff_;
};

}  // namespace fendo
