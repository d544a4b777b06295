#pragma once

namespace fendo {

class ToolpathDatabase;

// What choosing a work layer came to.
enum class LayerSwitch {
  Unchanged,  // the layer was the work layer already, or is none of the user's layers 0..99
  Switched,
  NoMemory,   // the work layer is the one it was; the layers keep their records
};

// Makes `layer` the work layer: the work buffer goes into the slot of the work layer it held and
// the records of `layer` come into it. The undo ring is emptied: its snapshots hold records of
// the layer left, which an undo would otherwise write into the new one.
LayerSwitch SwitchWorkLayer(ToolpathDatabase& db, int layer);

// Whether `layer` is one of the layers the user works on (0..99).
bool IsUserLayer(int layer);

}  // namespace fendo
