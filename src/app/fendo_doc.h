#pragma once

#include <QString>

namespace fendo {

// The document of a window. The view reads the NC program and holds its toolpaths; the
// document names the file they came from, which a new window on it opens again and the
// window's title shows. A new window's document names none.
struct CFendoDoc {
  QString path;   // as it was opened
  QString title;  // the full path
};

}  // namespace fendo
