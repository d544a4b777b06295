#pragma once

#include <QDialog>

class QButtonGroup;

namespace fendo {

// "Select work layer": the user's layers as 100 radio buttons "0" … "99", the work layer's set.
class CWorkLayerDlg : public QDialog {
 public:
  CWorkLayerDlg(int workLayer, QWidget* parent);

  // The layer whose button is set.
  int layer() const;

 private:
  QButtonGroup* buttons_;
};

}  // namespace fendo
