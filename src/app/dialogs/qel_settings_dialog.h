#pragma once

#include <array>

#include "app/dialogs/condition_dialog.h"
#include "feed/machine_condition.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace fendo {

class NumberField;

// "QEL 설정", behind the transfer dialog's "Set" button: how the optimizer steps and weighs
// its feeds — the XY look-ahead and smooth-step switches, the feed unit, the Z up/down and
// slope/corner ratios, the corner and slope weights at 0, 30 and 60 degrees (sliders), and
// whether the master model slows the feed. values() gives the settings with what OK took, the
// settings it was opened with otherwise.
class QelSettingsDialog : public ConditionDialog {
 public:
  static constexpr int kSwitches = 2;
  static constexpr int kRealFields = 2;
  static constexpr int kWeights = 6;

  explicit QelSettingsDialog(const MachineCondition& condition, QWidget* parent = nullptr);

  const MachineCondition& values() const { return condition_; }

 private:
  bool TakeFields() override;
  // Moving slider i sets its weight and its label.
  void SetWeight(int i, int position);
  // "Master에 의한 QEL ": on only when a master file is named.
  void ToggleByMaster();

  MachineCondition condition_;
  std::array<QCheckBox*, kSwitches> switches_{};
  NumberField* feedUnit_;
  std::array<NumberField*, kRealFields> reals_{};
  std::array<QSlider*, kWeights> sliders_{};
  std::array<QLabel*, kWeights> weightLabels_{};
  QCheckBox* byMaster_;
};

}  // namespace fendo
