#pragma once

#include <QDialog>
#include <QString>

#include <string>

class QPlainTextEdit;

namespace fendo {

// The editor of one section of a post-processor template: its lines in a multi-line edit,
// with OK and Cancel. The text is given and taken with each line ending in CR LF, as a
// template file stores it.
class TemplateSectionDialog : public QDialog {
 public:
  TemplateSectionDialog(const QString& title, const std::string& text, QWidget* parent = nullptr);

  // The edited text, every line break CR LF.
  std::string text() const;

 private:
  QPlainTextEdit* edit_;
};

}  // namespace fendo
