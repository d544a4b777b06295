#pragma once

#include "app/dialogs/condition_dialog.h"
#include "feed/transfer_rules.h"

class QCheckBox;
class QPushButton;

namespace fendo {

class NumberField;

// "전송 dialog", which the "Feed Optimizer" command shows before every run: the maximum and
// minimum feed (the reductions follow them), the buttons to the cutting conditions ("QEL"),
// a *.qel file ("조건화일 :"), the stepping and weights ("Set") and the master model file
// ("MMA : "), the cutting-data calculator ("GetFeed"), and the finishing and Z up/down switches.
//
// It edits `state`, the private copy of the optimizer's machine slot that the program keeps
// for the whole run, in place: OK writes the copy into `slot` once the optimizer can work with
// every value, Cancel leaves the slot alone and the copy as the user left it. What each
// control does to the settings is the engine's (feed/transfer_rules.h).
class TransferDialog : public ConditionDialog {
 public:
  TransferDialog(TransferDialogState& state, MachineCondition& slot, QWidget* parent = nullptr);

 private:
  bool TakeFields() override;
  // The fields, button texts and switches as the copy holds them.
  void ShowState();
  // A feed field the user changed: the number is kept and the reductions follow.
  void FeedEdited(NumberField* field, void (*keep)(TransferDialogState&, int));
  void EditCuttingCondition();
  void LoadConditionFile();
  void EditQelSettings();
  void ChooseMasterFile();
  // "GetFeed": the cutting-data calculator, whose "적용" sets "최대 피드".
  void GetFeed();

  TransferDialogState& state_;
  MachineCondition& slot_;
  NumberField* minimumFeed_;
  NumberField* maximumFeed_;
  QPushButton* cuttingCondition_;
  QPushButton* conditionFile_;
  QPushButton* qelSettings_;
  QPushButton* masterFile_;
  QCheckBox* finishing_;
  QCheckBox* upDown_;
};

// The range of the two feed fields, mm/min.
inline constexpr int kTransferFeedLimit = 100000;

}  // namespace fendo
