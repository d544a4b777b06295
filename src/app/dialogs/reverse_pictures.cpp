#include "app/dialogs/reverse_pictures.h"

#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace fendo {
namespace {

// The pictures are drawn on a grid of 96 × 64 units.
constexpr int kWidth = 96;
constexpr int kHeight = 64;
constexpr int kPasses = 4;
constexpr double kLeft = 14;
constexpr double kRight = 88;
constexpr double kTop = 10;
constexpr double kPassSpacing = 14;

const QColor kInk(40, 40, 40);
const QColor kPass(20, 110, 200);
const QColor kTurned(230, 150, 0);
const QColor kRapid(220, 30, 30);
const QColor kPaper(250, 250, 245);

// One pass as it runs afterwards: its direction, whether the box turned it, and the number
// saying when it is cut.
struct Pass {
  bool leftwards;
  bool turned;
  int order;
};
using Passes = std::array<Pass, kPasses>;

QPen Pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

double PassY(int k) { return kTop + k * kPassSpacing; }

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(Pen(colour, 1.6));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const QPointF u = d / std::hypot(d.x(), d.y());
  const QPointF n(-u.y(), u.x());
  p.setBrush(colour);
  p.drawPolygon(QPolygonF{to, to - u * 5 + n * 3, to - u * 5 - n * 3});
  p.setBrush(Qt::NoBrush);
}

void DrawPasses(QPainter& p, const Passes& passes) {
  QFont font = p.font();
  font.setPixelSize(9);
  p.setFont(font);
  for (int k = 0; k < kPasses; ++k) {
    const Pass& pass = passes[k];
    const double y = PassY(k);
    const QPointF left(kLeft, y), right(kRight, y);
    Arrow(p, pass.leftwards ? right : left, pass.leftwards ? left : right, pass.turned ? kTurned : kPass);
    p.setPen(kInk);
    p.drawText(QRectF(0, y - 6, kLeft - 3, 12), Qt::AlignRight | Qt::AlignVCenter, QString::number(pass.order));
  }
  // The rapid moves from the end of each pass to the start of the next one cut.
  p.setPen(Pen(kRapid, 0.8, Qt::DashLine));
  for (int order = 1; order < kPasses; ++order) {
    int from = 0, to = 0;
    for (int k = 0; k < kPasses; ++k) {
      if (passes[k].order == order) from = k;
      if (passes[k].order == order + 1) to = k;
    }
    const QPointF end(passes[from].leftwards ? kLeft : kRight, PassY(from));
    const QPointF start(passes[to].leftwards ? kRight : kLeft, PassY(to));
    p.drawLine(end, start);
  }
}

Passes PassesAfter(ReverseEffect effect) {
  switch (effect) {
    case ReverseEffect::Direction: return {{{true, true, 1}, {true, true, 2}, {true, true, 3}, {true, true, 4}}};
    case ReverseEffect::Order: return {{{true, true, 4}, {true, true, 3}, {true, true, 2}, {true, true, 1}}};
    case ReverseEffect::TwoWay: return {{{false, false, 1}, {true, true, 2}, {false, false, 3}, {true, true, 4}}};
    case ReverseEffect::Polygon: return {{{false, false, 3}, {true, true, 1}, {true, true, 2}, {false, false, 4}}};
  }
  return {};
}

}  // namespace

QPixmap ReverseEffectPicture(ReverseEffect effect, qreal pixelRatio) {
  QPixmap picture(QSize(kWidth, kHeight) * pixelRatio);
  picture.setDevicePixelRatio(pixelRatio);
  picture.fill(kPaper);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Pen(kInk, 1));
  p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
  DrawPasses(p, PassesAfter(effect));
  if (effect == ReverseEffect::Polygon) {
    // The polygon around the starts of the passes it marks.
    p.setPen(Pen(kTurned, 1.2, Qt::DashLine));
    p.drawPolygon(QPolygonF{{kLeft - 4, PassY(1) - 6}, {kLeft + 14, PassY(1) - 6}, {kLeft + 14, PassY(2) + 6},
                            {kLeft - 4, PassY(2) + 6}});
  }
  return picture;
}

}  // namespace fendo
