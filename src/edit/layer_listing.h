#pragma once

#include <string>

namespace fendo {

class ToolpathDatabase;

// What the layer list shows of one layer: its names and the NC header data of its program.
struct LayerListing {
  int number = 0;
  std::string name;      // layerName
  std::string file;      // fileName
  int program = 0;       // O
  int tool = 0;          // T
  int offset = 0;        // H
  int spindle = 0;       // S
  int records = 0;       // of the work buffer for the work layer, of the slot for the others
};

LayerListing ListLayer(const ToolpathDatabase& db, int layer);

}  // namespace fendo
