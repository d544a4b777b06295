#pragma once

#include <QString>

#include <string>

#include "app/qt_text.h"
#include "core/text_encoding.h"

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

// A program's comment keeps the bytes it was read in (CP949 from Korean Windows machines, UTF-8
// or Latin-1), so that it leaves the writer in them again; its editor shows it decoded.
inline QString ShownComment(const std::string& stored) { return ShownLines(DecodeToUtf8(stored)); }

// The comment as edited: the stored bytes when its text did not change, else the new text in
// the stored comment's encoding, so that the program's comments stay in one encoding, or in
// UTF-8 when one of its characters has no code there.
inline std::string StoredComment(const QString& shown, const std::string& stored) {
  const std::string edited = StoredLines(shown);
  const TextEncoding encoding = DetectEncoding(stored);
  if (edited == DecodeToUtf8(stored, encoding)) return stored;
  return EncodeFromUtf8(edited, encoding).value_or(edited);
}

}  // namespace fendo
