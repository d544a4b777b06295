#pragma once

#include <string>
#include <vector>

#include "config/layer_colours.h"
#include "view/canvas.h"

namespace fendo {

class ToolpathDatabase;

// Where the layer text goes: on the screen in pixels, on a printed page in the page's units.
struct LayerTextLayout {
  int left = 10;            // the file-name list's left edge
  int top = 10;             // the first line's top
  int lineStep = 15;        // between lines
  int rightBlockInset = 300;  // the work layer's block starts this far left of the right edge
  int commentIndent = 20;   // comment lines of several lines, beyond the block's left edge
};
inline constexpr LayerTextLayout kScreenLayerText{};
inline constexpr LayerTextLayout kPrintedLayerText{10, 10, 60, 1200, 60};

struct LayerTextLine {
  std::string text;
  DevicePoint topLeft;
  Rgb colour;
};

// "Layer text": down the left side the file name of every layer 0..98 that is switched on and
// holds records; at the right, for the work layer when it is switched on and holds records, its
// name, file, program, tool and spindle numbers (each only above 0) and its comment. Each in
// its layer's colour. Both columns stop at the bottom of a picture `height` high: a column with
// more lines than fit ends with the line "... 외 N줄 생략", N the lines left out.
std::vector<LayerTextLine> LayerText(const ToolpathDatabase& db, const LayerColours& colours, int width, int height,
                                     bool backgroundInverted, const LayerTextLayout& layout);

}  // namespace fendo
