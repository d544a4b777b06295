#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "generate/ring_patterns.h"

namespace fendo {

// RingDialog: the ring of "방사선" and "나선형" (centre, cutting height, stepover and the two
// diameters). The two commands open it on the one RingParams they share, so each starts from
// the ring the other was last given. OK holds the values to the engine's ranges.
class RingDialog : public NumberFormDialog<RingParams> {
 public:
  explicit RingDialog(const RingParams& params, QWidget* parent = nullptr);
};

}  // namespace fendo
