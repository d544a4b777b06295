#pragma once

#include "app/dialogs/options_dialog.h"
#include "edit/path_sort.h"

class QButtonGroup;

namespace fendo {

// CSortDlg, "공구경로 정렬": the four ways of sorting, the sort distance and the return height.
// OK takes both values and holds them to their ranges (a return height of −1 feeds across).
class CSortDlg : public OptionsDialog {
 public:
  explicit CSortDlg(const SortParams& params, QWidget* parent = nullptr);

  const SortParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  SortParams params_;
  QButtonGroup* mode_;
  NumberField* distance_;
  NumberField* height_;
};

}  // namespace fendo
