#include "edit/layer_listing.h"

#include "core/toolpath_database.h"

namespace fendo {

LayerListing ListLayer(const ToolpathDatabase& db, int layer) {
  const LayerSlot& slot = db.layers[layer];
  // The work layer's slot is brought into step with the work buffer only when the layer is left.
  const int records = layer == db.layers.workLayer ? db.recordCount : slot.pointCount();
  return {layer,           slot.layerName,  slot.fileName, slot.programNumber, slot.toolNumber,
          slot.lengthOffset, slot.spindle, records};
}

}  // namespace fendo
