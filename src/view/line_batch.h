#pragma once

#include <optional>
#include <vector>

#include "view/canvas.h"

namespace fendo {

// Gathers the pen moves of the drawing into polylines for a canvas: a line continues the
// polyline of its pen, a move or a pen change ends it. A point on the pixel of the point
// before it adds nothing (it could not change the picture); at 13 million records that drops
// a large share of the points of a fitted view.
class LineBatch {
 public:
  explicit LineBatch(Canvas& canvas) : canvas_(canvas) { run_.reserve(kRunPoints); }
  LineBatch(const LineBatch&) = delete;
  LineBatch& operator=(const LineBatch&) = delete;
  ~LineBatch() { Flush(); }

  void SetPen(const Pen& pen) {
    if (pen == pen_) return;
    EndRun();
    pen_ = pen;
  }

  void MoveTo(DevicePoint p) {
    if (!run_.empty() && run_.back() == p) return;
    EndRun();
    run_.assign(1, p);
  }

  // A line from the current point; a move when there is none.
  void LineTo(DevicePoint p) {
    if (!run_.empty() && run_.back() == p) return;
    run_.push_back(p);
    if (run_.size() == kRunPoints) EndRun();
  }

  // Forgets the current point: the next line starts where it is drawn to.
  void Lift() {
    EndRun();
    run_.clear();
  }

  // Hands what is gathered to the canvas (before the caller draws on it directly).
  void Flush() { EndRun(); }

 private:
  static constexpr std::size_t kRunPoints = 4096;

  // Draws the polyline gathered so far; its last point stays as the current point.
  void EndRun() {
    if (run_.size() < 2) return;
    if (canvasPen_ != pen_) {
      canvas_.SetPen(pen_);
      canvasPen_ = pen_;
    }
    canvas_.Polyline(run_);
    run_.front() = run_.back();
    run_.resize(1);
  }

  Canvas& canvas_;
  std::vector<DevicePoint> run_;    // the polyline being gathered; its last point is the pen's
  Pen pen_;                         // the pen of the polyline being gathered
  std::optional<Pen> canvasPen_;    // the pen last handed to the canvas
};

}  // namespace fendo
