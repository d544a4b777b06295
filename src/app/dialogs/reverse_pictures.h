#pragma once

#include <QPixmap>

namespace fendo {

// What each check box of CReverseDlg does to a program of parallel one-way passes, shown
// beside it: the passes as they run afterwards, the ones the box turned in the accent colour.
enum class ReverseEffect { Direction, Order, TwoWay, Polygon };

// The picture of one effect, drawn as vectors at the screen's pixel ratio.
QPixmap ReverseEffectPicture(ReverseEffect effect, qreal pixelRatio = 1);

}  // namespace fendo
