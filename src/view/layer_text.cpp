#include "view/layer_text.h"

#include <string_view>

#include "core/toolpath_database.h"
#include "view/pens.h"

namespace fendo {
namespace {

// The file-name list stops short of the last user layer.
constexpr int kListedLayers = 99;

std::string_view Trimmed(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The comment's lines, each stored ending in "\r\n" (a last line may lack it).
std::vector<std::string_view> CommentLines(std::string_view comment) {
  std::vector<std::string_view> lines;
  while (!comment.empty()) {
    const std::size_t end = comment.find('\n');
    lines.push_back(comment.substr(0, end));
    comment.remove_prefix(end == std::string_view::npos ? comment.size() : end + 1);
  }
  return lines;
}

}  // namespace

std::vector<LayerTextLine> LayerText(const ToolpathDatabase& db, const LayerColours& colours, int width,
                                     bool backgroundInverted, const LayerTextLayout& layout) {
  const int work = db.layers.workLayer;
  const auto holdsRecords = [&](int layer) {
    return layer == work ? db.recordCount > 0 : db.layers[layer].pointCount() > 0;
  };
  const auto colourOf = [&](int layer) {
    return ViewPen(PaletteIndexPen(PaletteIndexOfLayer(colours, layer)), backgroundInverted).colour;
  };

  std::vector<LayerTextLine> lines;
  int top = layout.top;
  for (int layer = 0; layer < kListedLayers; ++layer) {
    if (!db.layers[layer].layerOn || !holdsRecords(layer)) continue;
    lines.push_back({db.layers[layer].fileName, {layout.left, top}, colourOf(layer)});
    top += layout.lineStep;
  }

  if (!LayerTable::IsSlot(work) || !db.layers[work].layerOn || !holdsRecords(work)) return lines;
  const LayerSlot& slot = db.layers[work];
  const Rgb colour = colourOf(work);
  const int left = width - layout.rightBlockInset;
  top = layout.top;
  const auto add = [&](std::string text, int x) {
    lines.push_back({std::move(text), {x, top}, colour});
    top += layout.lineStep;
  };
  add("Layer Name : " + slot.layerName, left);
  add("File Name : " + slot.fileName, left);
  if (slot.programNumber > 0) add("Program num : " + std::to_string(slot.programNumber), left);
  if (slot.toolNumber > 0) add("Tool num : " + std::to_string(slot.toolNumber), left);
  if (slot.spindle > 0) add("Spindle : " + std::to_string(slot.spindle), left);
  const std::vector<std::string_view> comment = CommentLines(slot.comment);
  if (comment.size() == 1) {
    add("Comment : " + std::string(Trimmed(comment.front())), left);
  } else {
    add("Comment : ", left);
    for (const std::string_view line : comment) add(std::string(Trimmed(line)), left + layout.commentIndent);
  }
  return lines;
}

}  // namespace fendo
