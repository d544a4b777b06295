#pragma once

#include <QString>

#include <array>

#include "app/dialogs/condition_dialog.h"
#include "feed/machine_condition.h"

class QLineEdit;

namespace fendo {

class NumberField;

// "자동 피드 조정", behind the transfer dialog's "QEL" button: the cutting conditions of the
// optimizer (tool, safety distance, corner and slope angles and reductions, plunge and maximum
// feed, material), loaded from and saved to *.qel files. It edits a copy of the transfer
// dialog's settings: values() gives what OK took, the settings it was opened with otherwise.
class CuttingConditionDialog : public ConditionDialog {
 public:
  static constexpr int kRealFields = 6;
  static constexpr int kWholeFields = 2;

  explicit CuttingConditionDialog(const MachineCondition& condition, QWidget* parent = nullptr);

  const MachineCondition& values() const { return condition_; }

 private:
  bool TakeFields() override;
  void ShowValues();
  // "가공조건 화일 :": the chosen file's settings replace the copy's, and the fields show them.
  void LoadConditionFile();
  // "조건저장": the fields as they stand, written to the chosen file.
  void SaveConditionFile();

  MachineCondition condition_;
  std::array<NumberField*, kRealFields> reals_{};
  // What each real field showed: a real is shown with three decimals, so a field the user has
  // not touched keeps its value whole rather than the rounded one it shows.
  std::array<QString, kRealFields> shownReals_;
  std::array<NumberField*, kWholeFields> wholes_{};
  QLineEdit* material_;
};

}  // namespace fendo
