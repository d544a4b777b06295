#include "qtdraw/qt_painter_canvas.h"

#include <QFontMetrics>
#include <QPen>

namespace fendo {

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QtPainterCanvas::QtPainterCanvas(QPainter& painter, QRect area) : painter_(painter), area_(area) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtPainterCanvas::Fill(Rgb colour) { painter_.fillRect(area_, ToQColor(colour)); }

void QtPainterCanvas::SetPen(const Pen& pen) {
  QPen qpen(ToQColor(pen.colour));
  qpen.setCosmetic(true);
  qpen.setWidth(1);
  qpen.setCapStyle(Qt::SquareCap);
  if (pen.style == LineStyle::Dashed) qpen.setDashPattern({kDashOn, kDashOff});
  painter_.setPen(qpen);
}

const std::vector<QPoint>& QtPainterCanvas::ToQPoints(std::span<const DevicePoint> points) {
  qpoints_.clear();
  for (const DevicePoint p : points) qpoints_.emplace_back(p.x, p.y);
  return qpoints_;
}

void QtPainterCanvas::Polyline(std::span<const DevicePoint> points) {
  const std::vector<QPoint>& q = ToQPoints(points);
  painter_.drawPolyline(q.data(), static_cast<int>(q.size()));
}

void QtPainterCanvas::Points(std::span<const DevicePoint> points) {
  const std::vector<QPoint>& q = ToQPoints(points);
  painter_.drawPoints(q.data(), static_cast<int>(q.size()));
}

void QtPainterCanvas::Rectangle(DevicePoint corner, DevicePoint opposite) {
  const DevicePoint outline[] = {corner, {opposite.x, corner.y}, opposite, {corner.x, opposite.y}, corner};
  Polyline(outline);
}

void QtPainterCanvas::Text(DevicePoint topLeft, std::string_view text, Rgb colour) {
  const QPen pen = painter_.pen();
  painter_.setPen(ToQColor(colour));
  painter_.drawText(QPoint(topLeft.x, topLeft.y + painter_.fontMetrics().ascent()), ToQString(text));
  painter_.setPen(pen);
}

}  // namespace fendo
