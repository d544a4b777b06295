#pragma once

#include <QDialog>

#include "edit/reverse.h"

class QCheckBox;

namespace fendo {

// CReverseDlg, "공구경로 방향 바꾸기": the four check boxes of the reverse command, each with a
// picture of its effect. Ticking "방향 바꾸기" or "순서 바꾸기" clears "두방향 경로로 바꾸기", and
// ticking that clears both (the rule ReverseParams keeps).
class CReverseDlg : public QDialog {
 public:
  explicit CReverseDlg(const ReverseParams& params, QWidget* parent = nullptr);

  // The boxes as OK left them, the values the dialog was opened with otherwise.
  const ReverseParams& values() const { return params_; }

  void accept() override;

 private:
  // Shows the boxes as `shown` has them.
  void Show(const ReverseParams& shown);
  ReverseParams Ticked() const;

  ReverseParams params_;
  QCheckBox* direction_;
  QCheckBox* order_;
  QCheckBox* twoWay_;
  QCheckBox* polygon_;
};

}  // namespace fendo
