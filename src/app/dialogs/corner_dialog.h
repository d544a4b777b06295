#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "edit/corner_region.h"

namespace fendo {

// CCornerDlg: the angle and the distance of a corner region, and "공구경로 세분화" with its
// interval beside it. OK holds every value to its range.
class CCornerDlg : public NumberFormDialog<CornerParams> {
 public:
  explicit CCornerDlg(const CornerParams& params, QWidget* parent = nullptr);
};

}  // namespace fendo
