#pragma once

namespace fendo {

class CFendoView;

// The layer commands of the view: choosing the work layer (by dialog, by the toolbar's layer
// box, by a picked toolpath), copying one layer's paths into another, the layers' header data,
// the layers drawn with the work layer, the layer colours and the two layer display toggles.

// Makes `layer` the work layer of `view` as every way of choosing one does: the document is
// titled by the layer's file, the layer box shows it and the view is redrawn. Choosing the work
// layer again does nothing.
void ChooseWorkLayer(CFendoView& view, int layer);

// "작업 Layer".
void WorkLayerCommand(CFendoView& view);
// "공구경로에 의한 layer 선택".
void PickWorkLayerCommand(CFendoView& view);
// "Layer 공구경로 복사".
void CopyLayerCommand(CFendoView& view);
// "Layer Setting".
void LayerSettingsCommand(CFendoView& view);
// "Layer echo".
void LayerEchoCommand(CFendoView& view);
// "Layer color setting".
void LayerColoursCommand(CFendoView& view);
// "Layer에 의한 color" and "Layer text".
void ToggleColourByLayerCommand(CFendoView& view);
void ToggleLayerTextCommand(CFendoView& view);

}  // namespace fendo
