#pragma once

#include <array>
#include <optional>
#include <span>

#include "view/canvas.h"

namespace fendo {

// Gathers the pen moves of the drawing into polylines for a canvas: a line continues the
// polyline of its pen, a move or a pen change ends it. A point on the pixel of the point
// before it adds nothing (it could not change the picture); at 13 million records that drops
// a large share of the points of a fitted view.
class LineBatch {
 public:
  explicit LineBatch(Canvas& canvas) : canvas_(canvas) {}
  LineBatch(const LineBatch&) = delete;
  LineBatch& operator=(const LineBatch&) = delete;
  ~LineBatch() { Flush(); }

  void SetPen(const Pen& pen) {
    if (pen == pen_) return;
    EndRun();
    pen_ = pen;
  }

  void MoveTo(DevicePoint p) {
    if (count_ > 0 && run_[count_ - 1] == p) return;
    EndRun();
    run_[0] = p;
    count_ = 1;
  }

  // A line from the current point; a move when there is none. Whether the point is on the
  // pixel before it is as likely as not in a dense toolpath, so the point is always written
  // and only counted when it is new: no branch for the processor to guess wrong.
  void LineTo(DevicePoint p) {
    run_[count_] = p;
    count_ += count_ == 0 || run_[count_ - 1] != p;
    if (count_ == kRunPoints) EndRun();
  }

  // Forgets the current point: the next line starts where it is drawn to.
  void Lift() {
    EndRun();
    count_ = 0;
  }

  // Hands what is gathered to the canvas (before the caller draws on it directly).
  void Flush() { EndRun(); }

 private:
  static constexpr int kRunPoints = 4096;

  // Draws the polyline gathered so far; its last point stays as the current point.
  void EndRun() {
    if (count_ < 2) return;
    if (canvasPen_ != pen_) {
      canvas_.SetPen(pen_);
      canvasPen_ = pen_;
    }
    canvas_.Polyline(std::span<const DevicePoint>(run_.data(), count_));
    run_[0] = run_[count_ - 1];
    count_ = 1;
  }

  Canvas& canvas_;
  std::array<DevicePoint, kRunPoints> run_;  // the polyline being gathered; the last point is the pen's
  int count_ = 0;                            // points of run_ in use
  Pen pen_;                                  // the pen of the polyline being gathered
  std::optional<Pen> canvasPen_;             // the pen last handed to the canvas
};

}  // namespace fendo
