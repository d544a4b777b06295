#include "app/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <array>

namespace fendo {
namespace {

// Icons are drawn on a grid of 24 × 24 units and rendered at the toolbar sizes.
constexpr int kGrid = 24;
constexpr std::array kSizes = {16, 24, 32, 48};
// The program's picture is shown larger as well: task bars, window switchers, desktops.
constexpr std::array kApplicationSizes = {16, 24, 32, 48, 64, 128, 256};

const QColor kInk(40, 40, 40);
const QColor kPath(20, 110, 200);
const QColor kRapid(220, 30, 30);
const QColor kAccent(230, 150, 0);
const QColor kPaper(250, 250, 245);

QPen Pen(const QColor& colour, double width = 1.5, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

// A zigzag toolpath between two corners.
void Toolpath(QPainter& p, QRectF r, const QColor& colour = kPath) {
  p.setPen(Pen(colour));
  QPolygonF zigzag;
  const int passes = 4;
  for (int k = 0; k <= passes; ++k) {
    const double y = r.top() + r.height() * k / passes;
    zigzag << (k % 2 ? QPointF(r.right(), y) : QPointF(r.left(), y));
    zigzag << (k % 2 ? QPointF(r.left(), y) : QPointF(r.right(), y));
  }
  p.drawPolyline(zigzag);
}

void Cross(QPainter& p, QPointF c, double size, const QColor& colour = kRapid) {
  p.setPen(Pen(colour, 2.2));
  p.drawLine(c + QPointF(-size, -size), c + QPointF(size, size));
  p.drawLine(c + QPointF(-size, size), c + QPointF(size, -size));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour = kInk) {
  p.setPen(Pen(colour, 1.8));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  if (length == 0) return;
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  p.setBrush(colour);
  p.drawPolygon(QPolygonF{to, to - u * 4 + n * 2.5, to - u * 4 - n * 2.5});
  p.setBrush(Qt::NoBrush);
}

void Label(QPainter& p, QRectF r, const QString& text, const QColor& colour = kInk) {
  QFont font = p.font();
  font.setPixelSize(static_cast<int>(r.height()));
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

void Page(QPainter& p, QRectF r) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setBrush(Qt::NoBrush);
}

void Folder(QPainter& p) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(QColor(245, 200, 80));
  QPolygonF folder{{2, 7}, {9, 7}, {11, 9}, {22, 9}, {22, 20}, {2, 20}};
  p.drawPolygon(folder);
  p.setBrush(Qt::NoBrush);
}

// A cube seen from one of the view directions; the face looked at is filled.
void Cube(QPainter& p, int face) {
  p.setPen(Pen(kInk, 1.2));
  const QPolygonF front{{4, 9}, {15, 9}, {15, 20}, {4, 20}};
  const QPolygonF top{{4, 9}, {9, 4}, {20, 4}, {15, 9}};
  const QPolygonF side{{15, 9}, {20, 4}, {20, 15}, {15, 20}};
  const std::array faces = {top, front, side};
  for (int k = 0; k < 3; ++k) {
    p.setBrush(k == face ? kAccent : kPaper);
    p.drawPolygon(faces[static_cast<std::size_t>(k)]);
  }
  p.setBrush(Qt::NoBrush);
}

// An isometric cube with the corner the view comes from marked.
void IsoCube(QPainter& p, int quadrant) {
  Cube(p, -1);
  const std::array corners = {QPointF(20, 4), QPointF(4, 9), QPointF(4, 20), QPointF(20, 15)};
  p.setBrush(kRapid);
  p.setPen(Pen(kRapid, 1));
  p.drawEllipse(corners[static_cast<std::size_t>(quadrant)], 2.5, 2.5);
  p.setBrush(Qt::NoBrush);
}

void Magnifier(QPainter& p, const QString& sign) {
  p.setPen(Pen(kInk, 2));
  p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
  p.drawLine(QPointF(15, 15), QPointF(21, 21));
  Label(p, QRectF(4, 4, 12, 12), sign);
}

void Layers(QPainter& p, const std::array<QColor, 3>& colours) {
  p.setPen(Pen(kInk, 1));
  for (int k = 2; k >= 0; --k) {
    const double y = 6 + 5 * k;
    p.setBrush(colours[static_cast<std::size_t>(k)]);
    p.drawPolygon(QPolygonF{{12, y - 4}, {21, y}, {12, y + 4}, {3, y}});
  }
  p.setBrush(Qt::NoBrush);
}

void EndMill(QPainter& p, QPointF tip) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(QColor(190, 190, 200));
  QPainterPath tool;
  tool.moveTo(tip + QPointF(-3, -4));
  tool.arcTo(QRectF(tip.x() - 3, tip.y() - 7, 6, 7), 180, 180);
  tool.lineTo(tip + QPointF(3, -13));
  tool.lineTo(tip + QPointF(-3, -13));
  tool.closeSubpath();
  p.drawPath(tool);
  p.setBrush(Qt::NoBrush);
}

// A window (dashed rectangle) over a toolpath, the part inside or outside taken away.
void TrimShape(QPainter& p, bool inside, int shape) {
  Toolpath(p, QRectF(2, 4, 20, 16), inside ? kPath : QColor(170, 190, 210));
  p.setPen(Pen(kRapid, 1.4, Qt::DashLine));
  p.setBrush(inside ? QBrush(kPaper) : Qt::NoBrush);
  const QRectF r(7, 8, 10, 8);
  if (shape == 0) p.drawRect(r);
  if (shape == 1) p.drawEllipse(r.adjusted(-1, -2, 1, 2));
  if (shape == 2) p.drawPolygon(QPolygonF{{7, 16}, {12, 6}, {18, 11}, {15, 17}});
  p.setBrush(Qt::NoBrush);
}

void Points(QPainter& p, const QPolygonF& points, const QColor& colour = kPath) {
  p.setPen(Pen(colour, 1.2));
  p.drawPolyline(points);
  p.setBrush(colour);
  for (const QPointF& point : points) p.drawEllipse(point, 1.6, 1.6);
  p.setBrush(Qt::NoBrush);
}

// The picture of each command that has one, drawn on the grid.
struct IconPainting {
  CommandId command;
  void (*paint)(QPainter&);
};

const IconPainting kIconPaintings[] = {
    {CommandId::NewWindow, [](QPainter& p) { Page(p, {4, 3, 14, 18}); Label(p, {12, 12, 11, 11}, "+", kAccent); }},
    {CommandId::OpenNcData, [](QPainter& p) { Folder(p); Toolpath(p, {6, 12, 12, 6}); }},
    {CommandId::AddNcData, [](QPainter& p) { Folder(p); Label(p, {11, 10, 12, 12}, "+", kPath); }},
    {CommandId::Save, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.2));
      p.setBrush(QColor(90, 120, 180));
      p.drawRect(QRectF(3, 3, 18, 18));
      p.setBrush(kPaper);
      p.drawRect(QRectF(7, 3, 10, 7));
    }},
    {CommandId::Print, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.2));
      p.setBrush(kPaper);
      p.drawRect(QRectF(7, 3, 10, 6));
      p.setBrush(QColor(150, 150, 160));
      p.drawRect(QRectF(3, 9, 18, 8));
      p.setBrush(kPaper);
      p.drawRect(QRectF(7, 14, 10, 7));
    }},
    {CommandId::Undo, [](QPainter& p) {
      p.setPen(Pen(kInk, 2));
      p.drawArc(QRectF(5, 6, 15, 13), 90 * 16, -200 * 16);
      Arrow(p, {12, 6}, {5, 7});
    }},
    {CommandId::Redo, [](QPainter& p) {
      p.setPen(Pen(kInk, 2));
      p.drawArc(QRectF(4, 6, 15, 13), 90 * 16, 200 * 16);
      Arrow(p, {12, 6}, {19, 7});
    }},
    {CommandId::ViewTop, [](QPainter& p) { Cube(p, 0); }},
    {CommandId::ViewFront, [](QPainter& p) { Cube(p, 1); }},
    {CommandId::ViewSide, [](QPainter& p) { Cube(p, 2); }},
    {CommandId::ViewIso1, [](QPainter& p) { IsoCube(p, 0); }},
    {CommandId::ViewIso2, [](QPainter& p) { IsoCube(p, 1); }},
    {CommandId::ViewIso3, [](QPainter& p) { IsoCube(p, 2); }},
    {CommandId::ViewIso4, [](QPainter& p) { IsoCube(p, 3); }},
    {CommandId::ShowRapids, [](QPainter& p) {
      p.setPen(Pen(kRapid, 1.8, Qt::DashLine));
      p.drawLine(QPointF(3, 6), QPointF(21, 6));
      Toolpath(p, {3, 11, 18, 10});
    }},
    {CommandId::FitView, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.8));
      for (const auto& [x, y, dx, dy] : std::array<std::array<double, 4>, 4>{
               {{3, 3, 1, 1}, {21, 3, -1, 1}, {3, 21, 1, -1}, {21, 21, -1, -1}}}) {
        p.drawLine(QPointF(x, y), QPointF(x + 5 * dx, y));
        p.drawLine(QPointF(x, y), QPointF(x, y + 5 * dy));
      }
      Toolpath(p, {7, 8, 10, 8});
    }},
    {CommandId::ZoomOut, [](QPainter& p) { Magnifier(p, "-"); }},
    {CommandId::ZoomIn, [](QPainter& p) { Magnifier(p, "+"); }},
    {CommandId::ShowMasterModel, [](QPainter& p) {
      for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
          const int height = 4 - std::abs(row - 2) - std::abs(column - 2) / 2;
          p.setPen(Qt::NoPen);
          p.setBrush(QColor::fromHsv(240 - 50 * std::max(height, 0), 200, 230));
          p.drawEllipse(QPointF(4 + 4 * column, 4 + 4 * row), 1.7, 1.7);
        }
      }
      p.setBrush(Qt::NoBrush);
    }},
    {CommandId::SelectMode, [](QPainter& p) {
      p.setPen(Pen(kAccent, 1.2, Qt::DashLine));
      p.drawRect(QRectF(3, 3, 13, 11));
      p.setPen(Pen(kInk, 1));
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF{{11, 9}, {11, 22}, {14, 19}, {17, 23}, {19, 22}, {16, 18}, {20, 18}});
      p.setBrush(Qt::NoBrush);
    }},
    {CommandId::PanMode, [](QPainter& p) {
      Arrow(p, {12, 12}, {12, 3});
      Arrow(p, {12, 12}, {12, 21});
      Arrow(p, {12, 12}, {3, 12});
      Arrow(p, {12, 12}, {21, 12});
    }},
    {CommandId::RotateMode, [](QPainter& p) {
      p.setPen(Pen(kInk, 2));
      p.drawArc(QRectF(4, 4, 16, 16), 120 * 16, 280 * 16);
      Arrow(p, {7, 7}, {5, 10});
    }},
    {CommandId::LayerColours, [](QPainter& p) {
      Layers(p, {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255)});
    }},
    {CommandId::LayerEcho, [](QPainter& p) { Layers(p, {kPaper, QColor(200, 200, 200), kPath}); }},
    {CommandId::ColourByLayer, [](QPainter& p) {
      Layers(p, {QColor(255, 255, 0), QColor(255, 0, 255), QColor(0, 255, 255)});
    }},
    {CommandId::ShowLayerText, [](QPainter& p) {
      Layers(p, {kPaper, kPaper, kPaper});
      Label(p, {12, 10, 12, 13}, "T", kPath);
    }},
    {CommandId::ViewInEditor, [](QPainter& p) {
      Page(p, {5, 3, 14, 18});
      p.setPen(Pen(kInk, 1));
      for (int line = 0; line < 5; ++line) {
        p.drawLine(QPointF(7, 6 + 3 * line), QPointF(17 - 2 * (line % 2), 6 + 3 * line));
      }
    }},
    {CommandId::ShowFeedColours, [](QPainter& p) {
      const std::array colours = {QColor(255, 255, 255), QColor(0, 255, 0), QColor(0, 0, 255), QColor(255, 0, 0)};
      p.setPen(Pen(kInk, 0.8));
      for (int k = 0; k < 4; ++k) {
        p.setBrush(colours[static_cast<std::size_t>(k)]);
        p.drawRect(QRectF(3, 3 + 4.6 * k, 18, 4));
      }
      p.setBrush(Qt::NoBrush);
    }},
    {CommandId::ToolSimulation, [](QPainter& p) {
      Toolpath(p, {2, 14, 20, 8});
      EndMill(p, {10, 15});
      Arrow(p, {14, 6}, {21, 6}, kAccent);
    }},
    {CommandId::ToolShape, [](QPainter& p) { EndMill(p, {9, 21}); Label(p, {12, 6, 12, 12}, "R", kAccent); }},
    {CommandId::WholePathFeed, [](QPainter& p) {
      Toolpath(p, {2, 10, 20, 11});
      Label(p, {3, 1, 10, 10}, "F", kAccent);
    }},
    {CommandId::RebuildRapids, [](QPainter& p) {
      p.setPen(Pen(kRapid, 1.6, Qt::DashLine));
      p.drawPolyline(QPolygonF{{4, 20}, {4, 4}, {20, 4}, {20, 20}});
      Points(p, QPolygonF{{2, 20}, {8, 20}}, kPath);
      Points(p, QPolygonF{{16, 20}, {22, 20}}, kPath);
    }},
    {CommandId::SortPaths, [](QPainter& p) {
      for (int k = 0; k < 3; ++k) {
        p.setPen(Pen(kPath, 1.6));
        p.drawLine(QPointF(9, 5 + 7 * k), QPointF(21, 5 + 7 * k));
        Label(p, {1, 1.0 + 7 * k, 7, 8}, QString::number(k + 1));
      }
    }},
    {CommandId::Pencil, [](QPainter& p) {
      p.setPen(Pen(kInk, 1));
      p.setBrush(kAccent);
      p.drawPolygon(QPolygonF{{5, 19}, {7, 13}, {18, 2}, {22, 6}, {11, 17}});
      p.setBrush(Qt::NoBrush);
      p.setPen(Pen(kPath, 1.4));
      p.drawLine(QPointF(3, 22), QPointF(21, 22));
    }},
    {CommandId::SuppressZMoves, [](QPainter& p) {
      Arrow(p, {8, 21}, {8, 4}, kAccent);
      Label(p, {11, 6, 12, 12}, "Z");
    }},
    {CommandId::DeletePoint, [](QPainter& p) {
      Points(p, QPolygonF{{2, 16}, {8, 8}, {14, 16}, {22, 8}});
      Cross(p, {14, 16}, 3);
    }},
    {CommandId::DeleteOnePath, [](QPainter& p) { Toolpath(p, {3, 5, 18, 14}); Cross(p, {12, 12}, 5); }},
    {CommandId::DeleteMiddlePaths, [](QPainter& p) {
      for (int k = 0; k < 3; ++k) {
        p.setPen(Pen(kPath, 1.6));
        p.drawLine(QPointF(3, 5 + 7 * k), QPointF(21, 5 + 7 * k));
      }
      Cross(p, {12, 12}, 3.5);
    }},
    {CommandId::DeleteByXyAngle, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.6));
      p.drawPolyline(QPolygonF{{20, 5}, {4, 19}, {21, 19}});
      p.drawArc(QRectF(-2, 13, 12, 12), 0, 45 * 16);
      Cross(p, {16, 12}, 2.5);
    }},
    {CommandId::DeleteBySlope, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.6));
      p.drawPolyline(QPolygonF{{20, 5}, {4, 19}, {21, 19}});
      Label(p, {13, 8, 10, 10}, "Z", kAccent);
    }},
    {CommandId::DeletePathsByLength, [](QPainter& p) {
      p.setPen(Pen(kInk, 1.4));
      p.drawLine(QPointF(3, 18), QPointF(21, 18));
      for (int k = 0; k <= 6; ++k) p.drawLine(QPointF(3 + 3 * k, 18), QPointF(3 + 3 * k, k % 2 ? 16 : 14));
      Cross(p, {12, 7}, 3.5);
    }},
    {CommandId::ChangePoint, [](QPainter& p) {
      Points(p, QPolygonF{{2, 18}, {10, 14}, {20, 18}});
      Arrow(p, {10, 13}, {13, 4}, kAccent);
    }},
    {CommandId::TrimInsideWindow, [](QPainter& p) { TrimShape(p, true, 0); }},
    {CommandId::TrimOutsideWindow, [](QPainter& p) { TrimShape(p, false, 0); }},
    {CommandId::TrimInsideCircle, [](QPainter& p) { TrimShape(p, true, 1); }},
    {CommandId::TrimOutsideCircle, [](QPainter& p) { TrimShape(p, false, 1); }},
    {CommandId::TrimInsidePolygon, [](QPainter& p) { TrimShape(p, true, 2); }},
    {CommandId::TrimOutsidePolygon, [](QPainter& p) { TrimShape(p, false, 2); }},
    {CommandId::TrimOutsideZRange, [](QPainter& p) {
      Toolpath(p, {2, 4, 20, 16});
      p.setPen(Pen(kRapid, 1.4, Qt::DashLine));
      p.drawLine(QPointF(1, 8), QPointF(23, 8));
      p.drawLine(QPointF(1, 16), QPointF(23, 16));
    }},
    {CommandId::ChangePlunge, [](QPainter& p) { Toolpath(p, {8, 16, 14, 6}); Arrow(p, {5, 3}, {8, 16}, kRapid); }},
    {CommandId::SubdividePoints, [](QPainter& p) {
      Points(p, QPolygonF{{2, 16}, {6, 14}, {10, 12}, {14, 10}, {18, 8}, {22, 6}});
    }},
    {CommandId::MoveOrCopyToolpath, [](QPainter& p) {
      Toolpath(p, {2, 3, 9, 8});
      Toolpath(p, {13, 13, 9, 8}, kAccent);
      Arrow(p, {8, 14}, {13, 18});
    }},
    {CommandId::ReverseDirection, [](QPainter& p) {
      p.setPen(Pen(kPath, 1.6));
      p.drawLine(QPointF(3, 8), QPointF(21, 8));
      Arrow(p, {21, 16}, {3, 16}, kAccent);
    }},
    {CommandId::StartPointOfAllPaths, [](QPainter& p) {
      p.setPen(Pen(kPath, 1.6));
      p.drawEllipse(QRectF(4, 4, 16, 16));
      p.setBrush(kRapid);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(20, 12), 2.8, 2.8);
      p.setBrush(Qt::NoBrush);
    }},
};

// The program's own picture: a plate with a zigzag finishing pass, the end mill above the start
// of the cut and the rapid move that brought it there.
void PaintApplication(QPainter& p) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1.5, 10.5, 21, 12), 2, 2);
  Toolpath(p, {5, 13.5, 14, 6.5});
  p.setPen(Pen(kRapid, 1.3, Qt::DashLine));
  p.drawLine(QPointF(22, 3.5), QPointF(9, 3.5));
  p.setPen(Pen(kInk, 1));
  p.setBrush(kAccent);
  p.drawRect(QRectF(3, 1.5, 4, 4.5));                                       // shank
  p.drawPolygon(QPolygonF{{3, 6}, {7, 6}, {7, 10}, {5, 12.5}, {3, 10}});  // flutes
  p.setBrush(Qt::NoBrush);
}

// A picture drawn on the 24-unit grid at each of `sizes`.
template <std::size_t N>
QIcon Rendered(void (*paint)(QPainter&), const std::array<int, N>& sizes) {
  QIcon icon;
  for (int size : sizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(static_cast<double>(size) / kGrid, static_cast<double>(size) / kGrid);
    paint(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon CommandIcon(CommandId command) {
  const auto* painting = std::ranges::find(kIconPaintings, command, &IconPainting::command);
  if (painting == std::end(kIconPaintings)) return {};
  return Rendered(painting->paint, kSizes);
}

QIcon ApplicationIcon() { return Rendered(PaintApplication, kApplicationSizes); }

}  // namespace fendo
