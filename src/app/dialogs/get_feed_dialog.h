#pragma once

#include <array>

#include "app/dialogs/checked_dialog.h"
#include "feed/cutting_data.h"

namespace fendo {

class NumberField;

// "GetFeed Ver 1.0", the cutting-data calculator the transfer dialog's "GetFeed" button opens:
// D, z, Vc and fz give S and F, and S and F typed in give Vc and fz back, as the user types.
// "적용" hands F to the transfer dialog's "최대 피드"; "닫기" leaves it alone.
//
// It edits `data`, which the transfer dialog keeps for the whole run, in place: the values the
// user typed stay for the next opening either way, except D, which every opening presets to
// the optimizer's tool diameter.
class GetFeedDialog : public CheckedDialog {
 public:
  GetFeedDialog(CuttingData& data, double toolDiameter, QWidget* parent = nullptr);

  // The feed "적용" gives, F to the whole mm/min the transfer dialog's field holds.
  int AppliedFeed() const;

 private:
  bool TakeFields() override;
  // A field the user changed: its number is kept, and the other side follows when every value
  // it is worked out from lies in its range.
  void Edited(std::size_t index);
  void ShowNumbers();

  CuttingData& data_;
  // D, z, Vc, fz, S, F: the order of the form, of Tab and of the engine's ranges.
  std::array<NumberField*, 6> fields_;
};

}  // namespace fendo
