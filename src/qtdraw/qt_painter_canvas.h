#pragma once

#include <QPainter>
#include <QRect>
#include <vector>

#include "view/canvas.h"

namespace fendo {

// The view drawn through any QPainter: a printer page or a print preview draws the picture the
// screen shows. Lines are cosmetic (one device pixel whatever the painter's transform) and
// aliased, dashes 8 on and 4 off as on the screen. `area` is what Fill paints.
class QtPainterCanvas : public Canvas {
 public:
  QtPainterCanvas(QPainter& painter, QRect area);

  void Fill(Rgb colour) override;
  void SetPen(const Pen& pen) override;
  void Polyline(std::span<const DevicePoint> points) override;
  void Points(std::span<const DevicePoint> points) override;
  void Rectangle(DevicePoint corner, DevicePoint opposite) override;
  void Text(DevicePoint topLeft, std::string_view text, Rgb colour) override;

 private:
  const std::vector<QPoint>& ToQPoints(std::span<const DevicePoint> points);

  QPainter& painter_;
  QRect area_;
  std::vector<QPoint> qpoints_;  // reused between calls
};

// The colour and text conversions both Qt canvases use.
QColor ToQColor(Rgb colour);
QString ToQString(std::string_view utf8);

}  // namespace fendo
