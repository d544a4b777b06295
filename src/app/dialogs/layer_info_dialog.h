#pragma once

#include "app/dialogs/checked_dialog.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace fendo {

class LayerTable;
class NumberField;

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
  NumberField* programNumber_;
  NumberField* toolNumber_;
  NumberField* lengthOffset_;
  NumberField* spindle_;
  QPlainTextEdit* comment_;
};

}  // namespace fendo
