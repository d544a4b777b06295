#pragma once

#include "app/dialogs/value_dialogs.h"
#include "feed/master_model_build.h"

namespace fendo {

class NumberField;

// "Master Model": the tool diameter, the stock allowance ("가공 여유") and the cell size
// ("마스터 모델 공차") the master model is built with. values() gives what OK took, held to
// the ranges the build works with, or the values it was opened with.
class MasterModelDialog : public ValueDialog {
 public:
  explicit MasterModelDialog(const MasterModelInputs& values, QWidget* parent = nullptr);
  const MasterModelInputs& values() const { return values_; }

 private:
  bool TakeFields() override;

  MasterModelInputs values_;
  NumberField* toolDiameter_;
  NumberField* stockAllowance_;
  NumberField* tolerance_;
};

}  // namespace fendo
