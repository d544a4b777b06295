#pragma once

#include <optional>
#include <vector>

#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/layer_header_fields.h"

class QLineEdit;
class QListWidget;

namespace fendo {

class LayerTable;
class PathButton;

// What the layer output dialog is opened with and gives back.
struct LayerOutputChoice {
  QString outputPath;      // 출력화일
  QString layerText;       // 출력 layer: "3 0-2 7"
  std::vector<int> layers; // the layers to write, in order, after OK
};

// "Dialog" of "Layer ncdata 저장": the layers' NC header data, edited in place one layer at a
// time ("Layer update" stores the fields into the selected layer), the output file, and the
// layers to write as text: numbers and ranges "A-B" of the user's layers, in the order written.
class LayerOutputDialog : public CheckedDialog {
 public:
  LayerOutputDialog(LayerTable& layers, int currentLayer, const LayerOutputChoice& choice, const QString& ncFilter,
                    QWidget* parent = nullptr);

  // The output file and layers after OK; what the dialog was opened with otherwise.
  const LayerOutputChoice& values() const { return choice_; }

 private:
  bool TakeFields() override;
  // The header numbers of the fields; nothing after refusing one.
  std::optional<LayerHeaderFields::Numbers> TakeHeaderNumbers();
  void ShowLayer(int layer);
  void UpdateLayer();

  LayerTable& layers_;
  LayerOutputChoice choice_;
  PathButton* output_;
  QListWidget* list_;
  QLineEdit* name_;
  LayerHeaderFields header_;
  QLineEdit* layerText_;
};

// The list entry of a layer: "%3d  %s" of its number and name.
QString LayerEntry(int layer, const std::string& name);

// How many layers `text` lists as the output takes them: white-space separated tokens, each a
// user layer's number or a range "A-B" of them (none when B < A). Nothing for any other text.
std::optional<int> CountListedLayers(const QString& text);

}  // namespace fendo
