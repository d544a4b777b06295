#include "edit/layer_copy.h"

#include "core/toolpath_database.h"
#include "core/user_prompts.h"

namespace fendo {

LayerCopy CopyLayerToolpath(ToolpathDatabase& db, int source, int target, UserPrompts& prompts) {
  LayerTable& layers = db.layers;
  const int work = layers.workLayer;
  if ((source == work || target == work) && !db.SaveToLayer(work)) return LayerCopy::NoMemory;
  if (layers[source].pointCount() > 0 && layers[source].toolNumber != layers[target].toolNumber &&
      !prompts.AskOkCancel(kLayerToolsDifferText, kLayerToolsDifferCaption, PromptIcon::Question)) {
    return LayerCopy::Cancelled;
  }
  if (!layers.AppendLayer(source, target)) return LayerCopy::NoMemory;
  if (target == work && !db.LoadFromLayer(work)) return LayerCopy::NoMemory;
  return LayerCopy::Copied;
}

}  // namespace fendo
