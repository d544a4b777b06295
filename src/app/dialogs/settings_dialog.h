#pragma once

#include <array>
#include <filesystem>

#include "app/dialogs/checked_dialog.h"
#include "config/system_settings.h"
#include "core/nc_options.h"

class QCheckBox;

namespace fendo {

// How the settings dialog was closed.
enum class SettingsOutcome {
  Cancelled,  // "Cancel": nothing changes
  Applied,    // "OK", or "저장" when fendo.par could not be written: the active view takes the options
  Saved,      // "저장": the active view takes the options and fendo.par holds them for later views
};

// "설정": the NC input and output options of the active view (fendo.par in ConfigDir).
class SettingsDialog : public CheckedDialog {
 public:
  SettingsDialog(const NcOptions& options, const SystemSettings& settings, QWidget* parent = nullptr);

  // The options of the check boxes once the dialog is accepted, those it was opened with otherwise.
  const NcOptions& options() const { return options_; }
  SettingsOutcome outcome() const { return outcome_; }

 private:
  static constexpr int kOptionCount = 5;

  bool TakeFields() override;

  NcOptions options_;
  std::filesystem::path optionsFile_;
  bool saveAsked_ = false;
  SettingsOutcome outcome_ = SettingsOutcome::Cancelled;
  std::array<QCheckBox*, kOptionCount> boxes_{};
};

}  // namespace fendo
