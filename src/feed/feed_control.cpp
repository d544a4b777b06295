#include "feed/feed_control.h"

#include <filesystem>
#include <string>

#include "config/system_directory.h"

namespace fendo {

MachineCondition DefaultMachineCondition(int machine) {
  const std::filesystem::path fendo = HomeDirectory() / "fendo";
  MachineCondition condition;
  condition.portName = "Com" + std::to_string(machine);
  condition.ncDataDirectory = (fendo / "ncdata").string();
  condition.qelDirectory = (fendo / "qel").string();
  return condition;
}

FeedControl::FeedControl() {
  for (int machine = 1; machine < kSlotCount; ++machine) machines[machine] = DefaultMachineCondition(machine);
}

}  // namespace fendo
