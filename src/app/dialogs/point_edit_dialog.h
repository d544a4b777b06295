#pragma once

#include <cstdint>

#include "app/dialogs/options_dialog.h"
#include "edit/point_edit.h"

class QButtonGroup;

namespace fendo {

class TickSource;

// CPointEditDlg, "포인트 편집 조건을 입력하시요 !!": the coordinates and feed of a record, whether
// to move it or insert a new one ("<< 편집 방법 >>") and whether it cuts or moves at rapid
// ("<< 이송 방법 >>"). OK, and ENTER with it, close the dialog only once more than a second has
// passed since it opened, by `clock`: the ENTER that confirmed the pick in the view is often
// still down, or queued, when the dialog appears, and must not also confirm the dialog.
class CPointEditDlg : public OptionsDialog {
 public:
  static constexpr std::int64_t kGuardMs = 1000;

  CPointEditDlg(const PointEditValues& values, TickSource& clock, QWidget* parent = nullptr);

  const PointEditValues& values() const { return values_; }

  void accept() override;

 private:
  bool TakeFields() override;

  PointEditValues values_;
  TickSource& clock_;
  std::int64_t openedAt_;
  NumberField* x_;
  NumberField* y_;
  NumberField* z_;
  NumberField* feed_;
  QButtonGroup* mode_;
  QButtonGroup* motion_;
};

}  // namespace fendo
