#pragma once

#include "app/dialogs/options_dialog.h"
#include "feed/machine_feed_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace fendo {

// "기계와 DNC 조건을 입력하시요.": the machine and its link whose block buffer the feeds are
// lowered for, the feed limits and unit, smoothing, and the CNC weight that scales the
// machine's buffer (its label shows the weight as it moves).
class MachineFeedDialog : public OptionsDialog {
 public:
  explicit MachineFeedDialog(const MachineFeedOptions& options, QWidget* parent = nullptr);

  // The values of the fields after OK, the ones the dialog was opened with otherwise.
  const MachineFeedOptions& values() const { return options_; }

 private:
  bool TakeFields() override;

  MachineFeedOptions options_;
  QComboBox* machine_;
  QComboBox* baudRate_;
  NumberField* maxFeed_;
  NumberField* minFeed_;
  NumberField* rapidFeed_;
  NumberField* feedUnit_;
  QCheckBox* smooth_;
  QCheckBox* setAllFirst_;
  QSlider* cncWeight_;
  QLabel* cncWeightLabel_;
};

}  // namespace fendo
