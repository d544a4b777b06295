#pragma once

#include <QPushButton>
#include <QString>

#include <functional>
#include <string>

namespace fendo {

// The engine's paths are the file system's own bytes; the dialogs show them as text.
std::string PathBytes(const QString& path);
QString PathText(const std::string& path);

// A button that shows a file's path and, when clicked, asks for another one: `choose` gets the
// path shown and gives the one picked, empty when the user cancelled (the path then stays).
class PathButton : public QPushButton {
 public:
  using Chooser = std::function<QString(const QString& current)>;

  PathButton(const QString& path, Chooser choose, QWidget* parent);

  const QString& path() const { return path_; }
  void SetPath(const QString& path);

 private:
  QString path_;
  Chooser choose_;
};

}  // namespace fendo
