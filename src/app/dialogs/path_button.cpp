#include "app/dialogs/path_button.h"

#include <QDir>
#include <QFile>

namespace fendo {
namespace {

// Wide enough for a path of a few folders; a longer one is shown in full as the tool tip.
constexpr int kButtonWidth = 360;

}  // namespace

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

PathButton::PathButton(const QString& path, Chooser choose, QWidget* parent)
    : QPushButton(parent), choose_(std::move(choose)) {
  setMinimumWidth(kButtonWidth);
  SetPath(path);
  connect(this, &QPushButton::clicked, this, [this] {
    const QString picked = choose_(path_);
    if (!picked.isEmpty()) SetPath(picked);
  });
}

void PathButton::SetPath(const QString& path) {
  path_ = path;
  const QString shown = QDir::toNativeSeparators(path);
  setText(shown);
  setToolTip(shown);
}

}  // namespace fendo
