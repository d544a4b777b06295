#pragma once

#include <span>
#include <string_view>

#include "core/view_state.h"

namespace fendo {

// The status bar's panes as the view fills them, in their order on the bar.
enum class ViewStatusPane {
  Prompt,  // help prompts of the interactive commands
  G,       // G code of a record: "G00" … "G03"
  X,
  Y,
  Z,
  R,       // arc radius
  F,       // feed
  Point,   // coordinates of a picked record
};

// Records marked over the picture: the move a click picked, the path a command works on, the
// point a point command stands at.
struct Highlight {
  enum class Shape {
    Segment,  // the move ending at record `first` (from the motion record before it)
    Path,     // records first … end − 1
    Point,    // a cross at record `first`
  };
  Shape shape = Shape::Segment;
  int first = 0;
  int end = 0;
  friend bool operator==(const Highlight&, const Highlight&) = default;
};

// What the view's input handling and the interactive loops ask of the window that shows the
// toolpaths. The desktop program's view widget draws through the drawing engine; tests record
// the calls. Everything is done before the call returns: the loops run without returning to an
// event loop.
class ViewSurface {
 public:
  virtual ~ViewSurface() = default;

  // The whole picture, from the database, the view state and the options as they are now.
  virtual void Redraw() = 0;
  // The picture while a drag turns or moves a large program: background, axes and the wire
  // frame of the toolpath's bounding box only.
  virtual void RedrawDragFrame() = 0;

  // The rubber-band rectangle between two client points, in place of the one shown before.
  virtual void ShowRubberBand(ClientPoint a, ClientPoint b) = 0;
  virtual void HideRubberBand() = 0;
  // The polygon clicked so far, as an open line through its vertices (client points), in place
  // of the one shown before; no vertices hide it.
  virtual void ShowPolygon(std::span<const ClientPoint> vertices) = 0;

  // Marks records over the picture in place of the previous mark; the next redraw removes it.
  virtual void ShowHighlight(const Highlight& highlight) = 0;
  virtual void ClearHighlight() = 0;
  // The tool drawn at the position of a record, in place of the one drawn before (the tool
  // simulation); the next redraw removes it.
  virtual void ShowTool(int record) = 0;

  virtual void SetStatusText(ViewStatusPane pane, std::string_view text) = 0;
};

}  // namespace fendo
