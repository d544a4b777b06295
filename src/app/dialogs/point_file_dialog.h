#pragma once

#include <QString>

class QWidget;

namespace fendo {

// The point file (*.poi) of the file trims and offsets: " 포인트 화일명을 선택하시오.", an existing
// file, starting where `last` says; `last` becomes the chosen path. Empty after Cancel.
QString ChoosePointFileToOpen(QWidget* parent, QString& last);

}  // namespace fendo
