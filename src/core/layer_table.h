#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/length_unit.h"
#include "core/record_block.h"

namespace fendo {

// One layer: its stored records and the NC header data of the program it came from.
struct LayerSlot {
  RecordBlock points;
  std::string layerName;      // "Layer %d" until the layer is named from a file
  std::string fileName;       // full path of the loaded program
  std::string comment;        // comment lines of the program, each ending in "\r\n"
  int spindle = 1000;         // S, rpm
  int toolNumber = 1;         // T
  int lengthOffset = 1;       // H
  int programNumber = 0;      // O
  ProgramUnit unit;           // G20/G21: the unit its numbers are in
  bool layerOn = false;       // drawn and fitted even when it is not the work layer

  int pointCount() const { return points.count(); }
};

// The 256 layer slots of a view: 0..99 belong to the user, 255 is scratch space.
class LayerTable {
 public:
  static constexpr int kSlots = 256;
  static constexpr int kUserLayers = 100;

  LayerTable();

  static bool IsSlot(int index) { return index >= 0 && index < kSlots; }
  LayerSlot& operator[](int index) { return slots_[index]; }
  const LayerSlot& operator[](int index) const { return slots_[index]; }

  // Replaces dst's records by a copy of src's and takes src's file name, comment, header
  // numbers and unit (not its layer name or on flag). False when the memory could not be had:
  // dst is then left without a block.
  bool CopyLayer(int src, int dst);
  // Appends src's records behind dst's; into a slot without records it is CopyLayer, and a src
  // without records leaves dst as it was. False when the memory could not be had, with dst
  // left as it was.
  bool AppendLayer(int src, int dst);

  std::size_t HeldBytes() const;

  int workLayer = 0;           // the slot whose records are in the work buffer
  bool colourByLayer = false;  // draw each layer in its layer colour instead of feed colours

 private:
  std::array<LayerSlot, kSlots> slots_;
};

}  // namespace fendo
