#pragma once

#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/layer_header_fields.h"

class QLineEdit;
class QListWidget;

namespace fendo {

class LayerTable;

// "Layer 정보": the user's layers listed by number and file name; the selected one's names,
// header numbers and comment in fields that "Layer update" writes into the layer at once. The
// dialog only closes: what was updated stays.
class CLayerInfoDlg : public CheckedDialog {
 public:
  CLayerInfoDlg(LayerTable& layers, int workLayer, QWidget* parent);

  // Whether "Layer update" changed a layer.
  bool changed() const { return changed_; }

 private:
  bool TakeFields() override { return true; }
  void ShowLayer(int layer);
  void UpdateLayer();

  LayerTable& layers_;
  bool changed_ = false;
  QListWidget* list_;
  QLineEdit* name_;
  QLineEdit* file_;
  LayerHeaderFields header_;
};

}  // namespace fendo
