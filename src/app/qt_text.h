#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace fendo {

// The engine's texts are UTF-8.
inline QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace fendo
