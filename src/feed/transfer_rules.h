#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/option_range.h"
#include "feed/cutting_data.h"
#include "feed/machine_condition.h"
#include "feed/qel_file.h"

namespace fendo {

// The rules of the transfer dialog ("전송 dialog"), which the "Feed Optimizer" command shows
// before every run, and of the two dialogs behind its buttons: the cutting-condition dialog
// ("QEL") and "QEL 설정" ("Set"). The dialogs only show and collect; what each control does to
// the settings happens here.
//
// The dialog works on a private copy of the optimizer's machine slot, which it takes the first
// time it is shown and keeps for the rest of the run: OK copies it into the slot, Cancel leaves
// the slot as it was and the copy as the user left it, for the next showing. Its two feeds are
// the user's way to the reductions: "최대 피드" is the maximum feed and "최저 피드" ÷ "최대 피드"
// the corner reduction, the slope reduction following at SideCorRat times that.

inline constexpr std::string_view kConditionFileButton = "조건화일 :";
inline constexpr std::string_view kLoadedConditionFileButton = "가공조건 화일 :";
inline constexpr std::string_view kMasterFileButton = "MMA : ";
inline constexpr std::string_view kNoMasterFileButton = "MMA :";

struct TransferDialogState {
  MachineCondition condition;  // the private copy of the slot
  int minimumFeed = 0;         // "최저 피드", mm/min
  int maximumFeed = 0;         // "최대 피드", mm/min
  bool initialised = false;    // the copy has been taken from the slot
  std::string conditionFileText = std::string(kConditionFileButton);  // the "조건화일 :" button
  std::string masterFileText = std::string(kMasterFileButton);        // the "MMA : " button
  CuttingData cuttingData;  // the "GetFeed" calculator's values
};

// The initialisation at every showing. The first time the copy is taken from `slot`, the
// plunge feed is set to the maximum feed and the two feeds are taken from the copy; every time
// the maximum feed and the reductions are then taken from the two feeds, and the "MMA : " button
// names the master file when there is one.
void ShowTransferDialog(TransferDialogState& dialog, const MachineCondition& slot);

// Editing "최저 피드" or "최대 피드": the number is kept and the reductions follow the feeds.
void SetMinimumFeed(TransferDialogState& dialog, int feed);
void SetMaximumFeed(TransferDialogState& dialog, int feed);

// OK of the cutting-condition dialog, which edited its own copy of the private copy: that copy
// becomes the private copy, and the two feeds are taken from it.
void AcceptCuttingCondition(TransferDialogState& dialog, const MachineCondition& edited);

// "조건화일 :": the *.qel file the user chose is loaded into the private copy and the two feeds
// are taken from it; the button names the file. When it cannot be loaded, the copy and the
// feeds are unchanged, the button says that nothing was loaded, and the result says why.
QelFileResult LoadConditionFile(TransferDialogState& dialog, const std::filesystem::path& chosen);
// The file dialog of "조건화일 :" was cancelled: nothing was loaded.
void CancelConditionFile(TransferDialogState& dialog);

// OK of "QEL 설정", which edits the private copy in place: the slope reduction follows the
// corner reduction and the new SideCorRat.
void AcceptQelSettings(TransferDialogState& dialog);

// "Master에 의한 QEL ": switches QelByMaster off when it is on, and on only when a master file
// is named (at least kShortestMasterFile characters).
void ToggleQelByMaster(MachineCondition& condition);
inline constexpr std::size_t kShortestMasterFile = 5;

// "MMA : ": the path the user chose becomes the master file, with ".mma" appended when the path
// holds no "mma" (in any case); the button names it. A cancelled file dialog empties the master
// file.
void ChooseMasterFile(TransferDialogState& dialog, const std::optional<std::string>& chosen);

// OK of the transfer dialog: the private copy goes into the slot, unless a value lies outside
// what the optimizer works with; then the slot is unchanged and the first such value is named.
std::optional<OptionOutOfRange> AcceptTransferDialog(const TransferDialogState& dialog, MachineCondition& slot);

// The slope reduction a corner reduction gives: SideCorRat times it, at most 1.
float SlopeReduction(float cornerReduction, float sideCorRat);

// The sliders of "QEL 설정" run from 0 to 100 over a weight of 0 to 1.
inline constexpr int kSliderSteps = 100;
int SliderPosition(float weight);
float SliderWeight(int position);

// The label under a weight slider, "0%s(%2.2f)", "30%s(%2.2f)" or "60%s(%2.2f)" with
// "도 가중치": "30도 가중치(0.70)". `angle` is 0, 30 or 60.
std::string WeightLabel(int angle, float weight);

// A real field of the cutting-condition dialog, "%6.3f": " 0.100", "10.000".
std::string CuttingFieldText(float value);

}  // namespace fendo
