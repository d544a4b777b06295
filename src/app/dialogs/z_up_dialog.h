#pragma once

#include "app/dialogs/options_dialog.h"
#include "edit/z_up.h"

class QButtonGroup;

namespace fendo {

// CZUpDlg, "Z 상향": which downward or upward moves the Z-up change suppresses or removes, the
// height no move may go below, and the slopes beyond which descents and ascents go. OK holds
// the chosen mode's values to their ranges.
class CZUpDlg : public OptionsDialog {
 public:
  explicit CZUpDlg(const ZUpParams& params, QWidget* parent = nullptr);

  const ZUpParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  ZUpParams params_;
  QButtonGroup* mode_;
  NumberField* floorZ_;
  NumberField* downTolerance_;
  NumberField* upTolerance_;
};

}  // namespace fendo
