#pragma once

#include <array>

#include "feed/machine_condition.h"
#include "feed/optimizer_slot.h"
#include "feed/transfer_rules.h"

namespace fendo {

// The one host of the feed optimizer in a running program: the settings of the machine slots,
// what the optimizer keeps per slot between runs, and the transfer dialog's state. It is made
// the first time the "Feed Optimizer" command runs and lives until the program ends, so every
// setting made in a run is kept for the rest of it; nothing is saved between runs except
// through *.qel files.
class FeedControl {
 public:
  static constexpr int kSlotCount = 17;        // slot 0 is never used; machines are 1 … 16
  static constexpr int kOptimizerMachine = 1;  // the slot the optimizer and the transfer dialog use

  // Slots 1 to 16 get the defaults of their machine; slot 0 keeps the record's own.
  FeedControl();
  FeedControl(const FeedControl&) = delete;
  FeedControl& operator=(const FeedControl&) = delete;

  std::array<MachineCondition, kSlotCount> machines;
  std::array<OptimizerSlot, kSlotCount> optimizerSlots;
  int currentMachine = kOptimizerMachine;
  TransferDialogState transferDialog;
};

// The settings machine slot `machine` (1 … 16) starts with: the record's defaults, the port
// named "Com<machine>", and the NC data and *.qel folders under the default Fendo folder.
MachineCondition DefaultMachineCondition(int machine);

}  // namespace fendo
