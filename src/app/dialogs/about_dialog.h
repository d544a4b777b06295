#pragma once

#include <QDialog>

namespace fendo {

// "fendo 정보": the program's name and version, closed with "확인".
class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace fendo
