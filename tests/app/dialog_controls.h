#pragma once

// The controls of a dialog as a test works them: by a button's text, or by the object name of
// a field or a check box.
#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace fendo {

inline QPushButton* Button(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

// Closes a dialog with OK or Cancel as the user would; a dialog without the button is rejected.
inline void Press(QWidget& dialog, const QString& text) {
  if (QPushButton* button = Button(dialog, text)) {
    button->click();
  } else if (auto* d = qobject_cast<QDialog*>(&dialog)) {
    d->reject();
  }
}

inline QString TextOf(QWidget& dialog, const char* field) {
  const auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
  return edit ? edit->text() : QStringLiteral("<no field %1>").arg(QString::fromLatin1(field));
}

inline void Type(QWidget& dialog, const char* field, const QString& text) {
  if (auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field))) edit->setText(text);
}

inline void Tick(QWidget& dialog, const char* box, bool on = true) {
  if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(box))) button->setChecked(on);
}

inline bool Ticked(QWidget& dialog, const char* box) {
  const auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(box));
  return button && button->isChecked();
}

}  // namespace fendo
