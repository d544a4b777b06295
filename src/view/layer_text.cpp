#include "view/layer_text.h"

#include <algorithm>
#include <string_view>

#include "core/text_encoding.h"
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

// The comment's lines, each stored ending in "\r\n" (a last line may lack it), taken one at a
// time from the front, trimmed and in UTF-8. A program's comment gathers every comment line it
// holds, millions in a long program with repeated headers, and the picture shows a few dozen:
// the rest are counted, never taken apart. The comment keeps the bytes it was read in (CP949,
// UTF-8 or Latin-1); its encoding is the whole comment's, so that every line reads alike.
class CommentLines {
 public:
  explicit CommentLines(std::string_view comment) : rest_(comment), encoding_(DetectEncoding(comment)) {}

  std::size_t Remaining() const {
    if (rest_.empty()) return 0;
    return static_cast<std::size_t>(std::count(rest_.begin(), rest_.end(), '\n')) + (rest_.back() != '\n');
  }
  std::string Next() {
    const std::size_t end = rest_.find('\n');
    const std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return DecodeToUtf8(Trimmed(line), encoding_);
  }

 private:
  std::string_view rest_;
  TextEncoding encoding_;
};

// One column of the layer text, from the layout's top down, no further than the picture
// reaches. A column with more lines than rows shows one line fewer than fit and ends with a
// row that says how many were left out.
class Column {
 public:
  Column(std::vector<LayerTextLine>& lines, int left, int height, const LayerTextLayout& layout)
      : lines_(lines), left_(left), top_(layout.top), step_(layout.lineStep),
        rows_(static_cast<std::size_t>(std::max(0, (height - layout.top) / layout.lineStep))) {}

  // How many of a column's `total` lines are shown.
  std::size_t Shown(std::size_t total) const { return total <= rows_ ? total : std::max<std::size_t>(rows_, 1) - 1; }

  void Add(std::string text, Rgb colour, int indent = 0) {
    lines_.push_back({std::move(text), {left_ + indent, top_}, colour});
    top_ += step_;
  }
  // Closes a column of `total` lines after Shown(total) of them were added.
  void EndWithLeftOut(std::size_t total, Rgb colour) {
    const std::size_t leftOut = total - Shown(total);
    if (leftOut > 0 && rows_ > 0) Add("... 외 " + std::to_string(leftOut) + "줄 생략", colour);
  }

 private:
  std::vector<LayerTextLine>& lines_;
  int left_;
  int top_;
  int step_;
  std::size_t rows_;
};

}  // namespace

std::vector<LayerTextLine> LayerText(const ToolpathDatabase& db, const LayerColours& colours, int width, int height,
                                     bool backgroundInverted, const LayerTextLayout& layout) {
  const int work = db.layers.workLayer;
  const auto holdsRecords = [&](int layer) {
    return layer == work ? db.recordCount > 0 : db.layers[layer].pointCount() > 0;
  };
  const auto colourOf = [&](int layer) {
    return ViewPen(PaletteIndexPen(PaletteIndexOfLayer(colours, layer)), backgroundInverted).colour;
  };

  std::vector<LayerTextLine> lines;
  std::vector<int> listed;
  for (int layer = 0; layer < kListedLayers; ++layer) {
    if (db.layers[layer].layerOn && holdsRecords(layer)) listed.push_back(layer);
  }
  Column names(lines, layout.left, height, layout);
  const std::size_t namesShown = names.Shown(listed.size());
  for (std::size_t k = 0; k < namesShown; ++k) names.Add(db.layers[listed[k]].fileName, colourOf(listed[k]));
  if (namesShown < listed.size()) names.EndWithLeftOut(listed.size(), colourOf(listed[namesShown]));

  if (!LayerTable::IsSlot(work) || !db.layers[work].layerOn || !holdsRecords(work)) return lines;
  const LayerSlot& slot = db.layers[work];
  std::vector<std::string> header = {"Layer Name : " + slot.layerName, "File Name : " + slot.fileName};
  if (slot.programNumber > 0) header.push_back("Program num : " + std::to_string(slot.programNumber));
  if (slot.toolNumber > 0) header.push_back("Tool num : " + std::to_string(slot.toolNumber));
  if (slot.spindle > 0) header.push_back("Spindle : " + std::to_string(slot.spindle));
  // A comment of one line stands beside its label; longer ones follow it, indented.
  CommentLines comment(slot.comment);
  std::size_t commentLines = comment.Remaining();
  if (commentLines == 1) {
    header.push_back("Comment : " + comment.Next());
    commentLines = 0;
  } else {
    header.push_back("Comment : ");
  }

  const Rgb colour = colourOf(work);
  Column block(lines, width - layout.rightBlockInset, height, layout);
  const std::size_t total = header.size() + commentLines;
  const std::size_t shown = block.Shown(total);
  for (std::size_t k = 0; k < shown; ++k) {
    if (k < header.size()) {
      block.Add(std::move(header[k]), colour);
    } else {
      block.Add(comment.Next(), colour, layout.commentIndent);
    }
  }
  block.EndWithLeftOut(total, colour);
  return lines;
}

}  // namespace fendo
