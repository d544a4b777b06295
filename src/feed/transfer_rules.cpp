#include "feed/transfer_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "config/settings_tokens.h"
#include "core/decimal.h"
#include "feed/machine_condition_ranges.h"

namespace fendo {
namespace {

constexpr std::string_view kMasterExtension = ".mma";
constexpr std::string_view kMasterMark = "mma";
constexpr std::string_view kWeightUnit = "도 가중치";

// ⌊feed × ratio⌋ in whole mm/min. The ratio is a 32-bit float, a few units of its last bit
// away from the decimal the user gave or the quotient of two feeds (0.251 is held as
// 0.25099998): taken as it stands, 0.251 of 1000 would give 250, and "최저 피드" would sink by
// one at every OK of the cutting-condition dialog. The product is raised by that much before the
// floor. Saturated to the int range; 0 for NaN.
int FeedAtRatio(int feed, float ratio) {
  constexpr double kFloatTolerance = 0x1p-22;  // four units of the last bit of a float
  const double product = feed * static_cast<double>(ratio);
  return IntegerPart(std::floor(product + std::fabs(product) * kFloatTolerance));
}

// The reductions follow the two feeds: the maximum feed is "최대 피드", the corner reduction
// "최저 피드" ÷ "최대 피드"; with no maximum feed there is no quotient and they stay.
void FollowFeeds(TransferDialogState& dialog) {
  MachineCondition& c = dialog.condition;
  c.qelMaxFeed = dialog.maximumFeed;
  if (dialog.maximumFeed <= 0) return;
  c.cornerMaxReduction = static_cast<float>(static_cast<double>(dialog.minimumFeed) / dialog.maximumFeed);
  c.slopeMaxReduction = SlopeReduction(c.cornerMaxReduction, c.sideCorRat);
}

// The initialisation that every showing and every edit of a feed runs.
void Reinitialise(TransferDialogState& dialog) {
  FollowFeeds(dialog);
  const std::string& masterFile = dialog.condition.masterFile;
  if (masterFile.size() >= kShortestMasterFile) dialog.masterFileText = std::string(kMasterFileButton) + masterFile;
}

// The two feeds shown after the copy changed as a whole: the maximum feed, and the lowest feed
// either reduction allows.
void TakeFeedsFromCondition(TransferDialogState& dialog) {
  const MachineCondition& c = dialog.condition;
  dialog.maximumFeed = c.qelMaxFeed;
  dialog.minimumFeed = FeedAtRatio(c.qelMaxFeed, std::min(c.cornerMaxReduction, c.slopeMaxReduction));
}

bool HoldsMasterMark(std::string_view path) {
  for (std::size_t i = 0; i + kMasterMark.size() <= path.size(); ++i) {
    if (SameKey(path.substr(i, kMasterMark.size()), kMasterMark)) return true;
  }
  return false;
}

// printf's "%<width>.<decimals>f" in the C locale, whatever the user's locale.
std::string FixedText(double v, int decimals, std::size_t width) {
  char digits[400];
  char* end = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals).ptr;
  std::string text(digits, end);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

void ShowTransferDialog(TransferDialogState& dialog, const MachineCondition& slot) {
  if (!dialog.initialised) {
    dialog.condition = slot;
    MachineCondition& c = dialog.condition;
    c.plungeFeed = c.qelMaxFeed;
    dialog.maximumFeed = c.qelMaxFeed;
    c.slopeMaxReduction = SlopeReduction(c.cornerMaxReduction, c.sideCorRat);
    dialog.minimumFeed = FeedAtRatio(c.qelMaxFeed, c.cornerMaxReduction);
    dialog.initialised = true;
  }
  Reinitialise(dialog);
}

void SetMinimumFeed(TransferDialogState& dialog, int feed) {
  dialog.minimumFeed = feed;
  Reinitialise(dialog);
}

void SetMaximumFeed(TransferDialogState& dialog, int feed) {
  dialog.maximumFeed = feed;
  Reinitialise(dialog);
}

void AcceptCuttingCondition(TransferDialogState& dialog, const MachineCondition& edited) {
  dialog.condition = edited;
  TakeFeedsFromCondition(dialog);
}

QelFileResult LoadConditionFile(TransferDialogState& dialog, const std::filesystem::path& chosen) {
  QelFileResult result = ReadQelFile(chosen, dialog.condition);
  if (!result.ok()) {
    dialog.conditionFileText = kLoadedConditionFileButton;
    return result;
  }
  TakeFeedsFromCondition(dialog);
  dialog.conditionFileText = std::string(kLoadedConditionFileButton) + chosen.filename().string();
  return result;
}

void CancelConditionFile(TransferDialogState& dialog) { dialog.conditionFileText = kLoadedConditionFileButton; }

void AcceptQelSettings(TransferDialogState& dialog) {
  MachineCondition& c = dialog.condition;
  c.slopeMaxReduction = SlopeReduction(c.cornerMaxReduction, c.sideCorRat);
}

void ToggleQelByMaster(MachineCondition& condition) {
  if (condition.qelByMaster != 0) {
    condition.qelByMaster = 0;
  } else if (condition.masterFile.size() >= kShortestMasterFile) {
    condition.qelByMaster = 1;
  }
}

void ChooseMasterFile(TransferDialogState& dialog, const std::optional<std::string>& chosen) {
  std::string& masterFile = dialog.condition.masterFile;
  if (!chosen) {
    masterFile.clear();
    dialog.masterFileText = kNoMasterFileButton;
    return;
  }
  masterFile = *chosen;
  if (!HoldsMasterMark(masterFile)) masterFile += kMasterExtension;
  dialog.masterFileText = std::string(kMasterFileButton) + masterFile;
}

std::optional<OptionOutOfRange> AcceptTransferDialog(const TransferDialogState& dialog, MachineCondition& slot) {
  std::optional<OptionOutOfRange> refused = CheckMachineCondition(dialog.condition);
  if (!refused) slot = dialog.condition;
  return refused;
}

float SlopeReduction(float cornerReduction, float sideCorRat) {
  const float slope = cornerReduction * sideCorRat;
  return slope > 1.0f ? 1.0f : slope;
}

int SliderPosition(float weight) {
  const float position = std::round(weight * kSliderSteps);
  if (!(position > 0)) return 0;  // NaN included
  return position < kSliderSteps ? static_cast<int>(position) : kSliderSteps;
}

float SliderWeight(int position) { return static_cast<float>(position) / kSliderSteps; }

std::string WeightLabel(int angle, float weight) {
  constexpr int kDecimals = 2;
  constexpr std::size_t kWidth = 2;
  return std::to_string(angle) + std::string(kWeightUnit) + "(" + FixedText(weight, kDecimals, kWidth) + ")";
}

std::string CuttingFieldText(float value) {
  constexpr int kDecimals = 3;
  constexpr std::size_t kWidth = 6;
  return FixedText(value, kDecimals, kWidth);
}

}  // namespace fendo
