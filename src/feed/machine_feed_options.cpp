#include "feed/machine_feed_options.h"

#include <algorithm>
#include <cctype>

namespace fendo {
namespace {

using Range = FieldRange<MachineFeedOptions>;

constexpr double Whole(int v) { return v; }

constexpr std::array kRanges = {
    Range{"machine", "공작기계", 0, kMachines.size() - 1, [](const MachineFeedOptions& o) { return Whole(o.machine); }},
    Range{"maxFeed", "최대 feed", 1, 100000, [](const MachineFeedOptions& o) { return Whole(o.maxFeed); }},
    Range{"minFeed", "최저 feed", 0, 100000, [](const MachineFeedOptions& o) { return Whole(o.minFeed); }},
    Range{"rapidFeed", "Rapid feed", 3000, 100000, [](const MachineFeedOptions& o) { return Whole(o.rapidFeed); }},
    Range{"feedUnit", "Feed 단위", 0, 1000, [](const MachineFeedOptions& o) { return Whole(o.feedUnit); }},
    Range{"cncWeight", "CNC 가중치", 0, 100, [](const MachineFeedOptions& o) { return Whole(o.cncWeight); }},
};

constexpr int kNeutralWeight = 50;  // the slider's middle: the machine's own buffer size

bool SameLetters(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::span<const FieldRange<MachineFeedOptions>> MachineFeedRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckRanges(const MachineFeedOptions& options) {
  if (auto outOfRange = CheckFieldRanges<MachineFeedOptions>(options, kRanges)) return outOfRange;
  if (std::ranges::find(kBaudRates, options.baudRate) != kBaudRates.end()) return std::nullopt;
  std::string message = "baudRate (전송속도) must be one of";
  for (int baud : kBaudRates) message += (baud == kBaudRates.front() ? " " : ", ") + std::to_string(baud);
  return OptionOutOfRange{"baudRate", "전송속도", message + ", not " + std::to_string(options.baudRate)};
}

std::optional<int> FindMachine(std::string_view name) {
  for (int i = 0; i < static_cast<int>(kMachines.size()); ++i) {
    if (SameLetters(kMachines[i].name, name)) return i;
  }
  return std::nullopt;
}

std::string CncWeightLabel(int cncWeight) {
  return "<< CNC 가중치(" + std::to_string(cncWeight - kNeutralWeight) + ") >>";
}

int BufferSize(const MachineFeedOptions& options) {
  const int b = kMachines[std::clamp(options.machine, 0, static_cast<int>(kMachines.size()) - 1)].blocks;
  return std::max(1, b + (options.cncWeight - kNeutralWeight) * b / kNeutralWeight);
}

}  // namespace fendo
