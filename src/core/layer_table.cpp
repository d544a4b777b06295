#include "core/layer_table.h"

#include <algorithm>

namespace fendo {

LayerTable::LayerTable() {
  for (int i = 0; i < kSlots; ++i) {
    slots_[i].layerName = "Layer " + std::to_string(i);
    slots_[i].fileName = slots_[i].layerName;
    slots_[i].layerOn = i < kUserLayers;
  }
}

bool LayerTable::CopyLayer(int src, int dst) {
  if (!IsSlot(src) || !IsSlot(dst)) return false;
  if (src == dst) return true;
  LayerSlot& from = slots_[src];
  LayerSlot& to = slots_[dst];
  to.fileName = from.fileName;
  to.comment = from.comment;
  to.programNumber = from.programNumber;
  to.spindle = from.spindle;
  to.toolNumber = from.toolNumber;
  to.lengthOffset = from.lengthOffset;
  to.unit = from.unit;
  if (!from.points.allocated()) {
    to.points.Free();
    return true;
  }
  if (!to.points.Allocate(from.pointCount())) return false;
  std::copy_n(from.points.data(), from.pointCount(), to.points.data());
  return true;
}

bool LayerTable::AppendLayer(int src, int dst) {
  if (!IsSlot(src) || !IsSlot(dst)) return false;
  LayerSlot& from = slots_[src];
  LayerSlot& to = slots_[dst];
  // Nothing to append leaves dst as it is: a copy would take src's header over dst's paths.
  if (from.pointCount() == 0) return true;
  if (!to.points.allocated()) return CopyLayer(src, dst);

  RecordBlock joined;
  if (!joined.Allocate(to.pointCount() + from.pointCount())) return false;
  // Copy src first: when src and dst are one slot, `to` must still be whole while it is read.
  std::copy_n(from.points.data(), from.pointCount(), joined.data() + to.pointCount());
  std::copy_n(to.points.data(), to.pointCount(), joined.data());
  to.points = std::move(joined);
  // The joined records keep dst's unit; those of another unit leave it changing units.
  if (UnitOrMillimetres(from.unit.stated) != UnitOrMillimetres(to.unit.stated)) to.unit.changes = true;
  return true;
}

std::size_t LayerTable::HeldBytes() const {
  std::size_t bytes = 0;
  for (const LayerSlot& slot : slots_) bytes += slot.points.HeldBytes();
  return bytes;
}

}  // namespace fendo
