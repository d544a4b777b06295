#include "edit/work_layer.h"

#include "core/toolpath_database.h"

namespace fendo {

bool IsUserLayer(int layer) { return layer >= 0 && layer < LayerTable::kUserLayers; }

LayerSwitch SwitchWorkLayer(ToolpathDatabase& db, int layer) {
  const int old = db.layers.workLayer;
  if (layer == old || !IsUserLayer(layer)) return LayerSwitch::Unchanged;
  if (!db.SaveToLayer(old)) return LayerSwitch::NoMemory;
  db.layers.workLayer = layer;
  // A slot without records loads as an empty work buffer; one whose records do not fit in
  // memory goes back to the layer left, whose slot now holds the work buffer.
  if (!db.LoadFromLayer(layer) && db.layers[layer].points.allocated()) {
    db.layers.workLayer = old;
    db.LoadFromLayer(old);
    return LayerSwitch::NoMemory;
  }
  db.ClearUndo();
  return LayerSwitch::Switched;
}

}  // namespace fendo
