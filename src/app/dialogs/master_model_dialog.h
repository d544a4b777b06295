#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "feed/master_model_build.h"

namespace fendo {

// "Master Model": the tool diameter, the stock allowance ("가공 여유") and the cell size
// ("마스터 모델 공차") the master model is built with. values() gives what OK took, held to
// the ranges the build works with, or the values it was opened with.
class MasterModelDialog : public NumberFormDialog<MasterModelInputs> {
 public:
  explicit MasterModelDialog(const MasterModelInputs& values, QWidget* parent = nullptr);
};

}  // namespace fendo
