#include "qtdraw/qt_image_canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include "qtdraw/qt_painter_canvas.h"

namespace fendo {
namespace {

// Text of the legend and the layer text fits their 15-pixel line step.
constexpr int kTextPixelSize = 12;

std::uint32_t* Pixels(QImage& image) { return reinterpret_cast<std::uint32_t*>(image.bits()); }
int Stride(const QImage& image) { return static_cast<int>(image.bytesPerLine() / sizeof(std::uint32_t)); }

}  // namespace

QtImageCanvas::QtImageCanvas(int width, int height)
    : ImageHolder{QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)},
      RasterCanvas(Pixels(held), held.width(), held.height(), Stride(held)) {
  font_.setPixelSize(kTextPixelSize);
}

void QtImageCanvas::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == held.width() && height == held.height()) return;
  held = QImage(width, height, QImage::Format_RGB32);
  Retarget(Pixels(held), held.width(), held.height(), Stride(held));
}

void QtImageCanvas::Fill(Rgb colour) {
  Retarget(Pixels(held), held.width(), held.height(), Stride(held));
  RasterCanvas::Fill(colour);
}

void QtImageCanvas::Text(DevicePoint topLeft, std::string_view text, Rgb colour) {
  QPainter painter(&held);
  painter.setFont(font_);
  painter.setPen(ToQColor(colour));
  painter.drawText(QPoint(topLeft.x, topLeft.y + QFontMetrics(font_).ascent()), ToQString(text));
}

}  // namespace fendo
