#pragma once

#include <array>

#include "app/dialogs/checked_dialog.h"
#include "config/system_settings.h"

class QLineEdit;

namespace fendo {

// "작업 환경": the settings of the whole program (fendo.cfg). "저장" writes fendo.cfg and closes
// the dialog as accepted; the settings are then the program's even when the file could not be
// written (the user is told so). "취소" changes nothing.
class WorkEnvironmentDialog : public CheckedDialog {
 public:
  explicit WorkEnvironmentDialog(const SystemSettings& settings, QWidget* parent = nullptr);

  // The settings of the fields after "저장", those the dialog was opened with otherwise.
  const SystemSettings& settings() const { return settings_; }
  // fendo.cfg was written.
  bool saved() const { return saved_; }

 private:
  static constexpr int kFieldCount = 5;

  bool TakeFields() override;

  SystemSettings settings_;
  bool saved_ = false;
  std::array<QLineEdit*, kFieldCount> fields_{};
};

}  // namespace fendo
