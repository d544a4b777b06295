#include <algorithm>
#include <string>

#include "core/layer_table.h"
#include "core/nc_line_parsers.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

// The comment is the text from the first "(" to the end of the line with every parenthesis
// taken out and the blanks around it trimmed, one line of the layer's comment per comment line.
void AddCommentLine(LayerSlot& layer, std::string_view fromParenthesis) {
  std::string text;
  for (char c : fromParenthesis.substr(1)) {
    if (c != '(' && c != ')') text += c;
  }
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  if (first < last) layer.comment.append(first, last);
  layer.comment += "\r\n";
}

LineOutcome FinishBlock(ToolpathDatabase& db, Point3 end, Point3 centreOffset, MoveKind kind, bool yields) {
  NcReaderState& reader = db.reader;
  reader.blockStart = reader.position;
  reader.centreOffset = centreOffset;
  reader.position = end;
  if (!yields) return LineOutcome::NoRecord;
  db.cursor = {};
  db.cursor.SetPosition(end);
  db.cursor.feed = reader.feed;
  db.cursor.kind = kind;
  return LineOutcome::Record;
}

}  // namespace fendo
