#include "feed/cutting_data.h"

#include <array>

namespace fendo {
namespace {

using Range = FieldRange<CuttingData>;

// The tool, then the two conditions each way, so that each direction checks a run of the table.
constexpr std::array kRanges = {
    // The range of the optimizer's ToolDiameter, which presets it.
    Range{"toolDiameter", "D", 0.001, 10000, [](const CuttingData& d) { return d.toolDiameter; }},
    Range{"teeth", "z", 1, 100, [](const CuttingData& d) { return double(d.teeth); }},
    Range{"cuttingSpeed", "Vc", 0.1, 10000, [](const CuttingData& d) { return d.cuttingSpeed; }},
    Range{"feedPerTooth", "fz", 0.0001, 10, [](const CuttingData& d) { return d.feedPerTooth; }},
    Range{"spindleSpeed", "S", 1, 200000, [](const CuttingData& d) { return d.spindleSpeed; }},
    // Up to the highest feed the transfer dialog's "최대 피드" takes.
    Range{"feed", "F", 0.1, 100000, [](const CuttingData& d) { return d.feed; }},
};
constexpr std::size_t kToolFields = 2;
constexpr std::size_t kConditionFields = 2;

std::span<const Range> Tool() { return std::span(kRanges).first(kToolFields); }
std::span<const Range> EdgeConditions() { return std::span(kRanges).subspan(kToolFields, kConditionFields); }
std::span<const Range> MachineConditions() { return std::span(kRanges).subspan(kToolFields + kConditionFields); }

std::optional<OptionOutOfRange> CheckEither(const CuttingData& data, std::span<const Range> first,
                                            std::span<const Range> second) {
  if (auto refused = CheckFieldRanges(data, first)) return refused;
  return CheckFieldRanges(data, second);
}

}  // namespace

std::span<const FieldRange<CuttingData>> CuttingDataRanges() { return kRanges; }

std::optional<OptionOutOfRange> CheckCuttingData(const CuttingData& data) {
  return CheckFieldRanges<CuttingData>(data, kRanges);
}

std::optional<OptionOutOfRange> WorkOutSpindleAndFeed(CuttingData& data) {
  if (auto refused = CheckEither(data, Tool(), EdgeConditions())) return refused;
  data.spindleSpeed = SpindleSpeedFor(data.cuttingSpeed, data.toolDiameter);
  data.feed = data.spindleSpeed * data.teeth * data.feedPerTooth;
  return std::nullopt;
}

std::optional<OptionOutOfRange> WorkOutCuttingSpeedAndFeedPerTooth(CuttingData& data) {
  if (auto refused = CheckEither(data, Tool(), MachineConditions())) return refused;
  data.cuttingSpeed = data.spindleSpeed * std::numbers::pi * data.toolDiameter / 1000;
  data.feedPerTooth = data.feed / (data.spindleSpeed * data.teeth);
  return std::nullopt;
}

}  // namespace fendo
