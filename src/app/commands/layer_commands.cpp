#include "app/commands/layer_commands.h"

#include <optional>

#include "app/dialogs/echo_layer_dialog.h"
#include "app/dialogs/layer_colour_dialog.h"
#include "app/dialogs/layer_copy_dialog.h"
#include "app/dialogs/layer_info_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/work_layer_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "app/main_frame.h"
#include "app/qt_text.h"
#include "edit/layer_copy.h"
#include "edit/work_layer.h"
#include "interact/layer_pick.h"
#include "interact/no_room.h"

namespace fendo {
namespace {

void TellNoRoom(CFendoView& view) {
  MessageBoxPrompts prompts(&view);
  TellNoRoom(prompts);
}

}  // namespace

void ChooseWorkLayer(CFendoView& view, int layer) {
  ToolpathDatabase& db = view.database();
  switch (SwitchWorkLayer(db, layer)) {
    case LayerSwitch::Unchanged: return;
    case LayerSwitch::NoMemory: TellNoRoom(view); break;
    case LayerSwitch::Switched:
      view.SetDocumentTitle(Utf8(db.layers[db.layers.workLayer].fileName));
      view.Redraw();
      break;
  }
  view.frame().ShowWorkLayer(db.layers.workLayer);
}

void WorkLayerCommand(CFendoView& view) {
  CWorkLayerDlg dialog(view.database().layers.workLayer, &view);
  if (dialog.exec() == QDialog::Accepted) ChooseWorkLayer(view, dialog.layer());
}

void PickWorkLayerCommand(CFendoView& view) {
  const CFendoView::InteractiveCommand running(view);
  if (const std::optional<int> layer = RunLayerPick(view.input(), view.inputSource())) ChooseWorkLayer(view, *layer);
}

// The dialog opens on the work layer for both fields each time.
void CopyLayerCommand(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  const int work = db.layers.workLayer;
  LayerCopyChoice choice{work, work};
  if (!EditInDialog<CLayerCopyDlg>(choice, &view)) return;
  MessageBoxPrompts prompts(&view);
  if (CopyLayerToolpath(db, choice.source, choice.target, prompts) == LayerCopy::NoMemory) TellNoRoom(prompts);
  view.Redraw();
}

void LayerSettingsCommand(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  CLayerInfoDlg dialog(db.layers, db.layers.workLayer, &view);
  dialog.exec();
  if (!dialog.changed()) return;
  view.frame().ShowLayerNames(db.layers);
}

void LayerEchoCommand(CFendoView& view) {
  LayerTable& layers = view.database().layers;
  EchoFlags flags{};
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) flags[layer] = layers[layer].layerOn;
  if (!EditInDialog<CEchoLayerDlg>(flags, &view)) return;
  for (int layer = 0; layer < LayerTable::kUserLayers; ++layer) layers[layer].layerOn = flags[layer];
  view.Redraw();
}

void LayerColoursCommand(CFendoView& view) {
  MessageBoxPrompts prompts(&view);
  CLayerColorDlg dialog(view.layerColours(), LayerColoursPath(view.app().settings()), prompts, &view);
  if (dialog.exec() != QDialog::Accepted) return;
  view.layerColours() = dialog.values();
  view.Redraw();
}

void ToggleColourByLayerCommand(CFendoView& view) {
  bool& on = view.database().layers.colourByLayer;
  on = !on;
  view.Redraw();
}

void ToggleLayerTextCommand(CFendoView& view) {
  view.options().layerTextShown = !view.options().layerTextShown;
  view.Redraw();
}

}  // namespace fendo
