#include <algorithm>
#include <cmath>
#include <string>

#include "core/layer_table.h"
#include "core/nc_line_parsers.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"

namespace fendo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Appends one parenthesised text, its blanks trimmed, to the comment line being built.
void AppendCommentText(std::string& line, std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  if (first >= last) return;
  if (!line.empty()) line += ' ';
  line.append(first, last);
}

}  // namespace

// The comment is the texts in parentheses, each trimmed, joined by a space; what stands between
// them is the block's words. A parenthesis inside a comment is taken out, and a comment left
// open runs to the end of the line. A NUL byte is no text.
void AddCommentLine(LayerSlot& layer, std::string_view fromParenthesis) {
  std::string line;
  std::string text;
  int depth = 0;
  for (const char c : fromParenthesis) {
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth > 0 && --depth == 0) {
        AppendCommentText(line, text);
        text.clear();
      }
    } else if (depth > 0 && c != '\0') {
      text += c;
    }
  }
  AppendCommentText(line, text);
  layer.comment += line;
  layer.comment += "\r\n";
}

bool BeyondCoordinateLimit(Point3 p) {
  constexpr double kLimit = ToolpathDatabase::kCoordinateLimit;
  return std::abs(p.x) > kLimit || std::abs(p.y) > kLimit || std::abs(p.z) > kLimit;
}

Point3 RadiusCentreOffset(ToolpathDatabase& db, Point3 start, Point3 end, double radius, MoveKind kind) {
  if (RadiusShortOfChord(db.plane, start, end, radius)) ++db.reader.shortRadiusArcs;
  return ArcCentreFromRadius(db.plane, start, end, radius, kind);
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
