#pragma once

#include <QString>

#include <string>

#include "app/qt_text.h"

namespace fendo {

// Comments and template sections are stored with every line ending in CR LF; their editors
// work with plain line feeds.
inline QString ShownLines(const std::string& stored) {
  QString text = Utf8(stored);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

inline std::string StoredLines(const QString& shown) {
  QString text = shown;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToUtf8(text);
}

}  // namespace fendo
