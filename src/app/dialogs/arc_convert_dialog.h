#pragma once

#include "app/dialogs/options_dialog.h"
#include "output/arc_convert_options.h"

class QButtonGroup;
class QCheckBox;

namespace fendo {

// "Arc Convert": which way the toolpath turns between straight moves and arcs, the tolerance
// and limits of the arcs fitted, the filter run first, and the planes arcs are fitted in.
// Values out of their ranges are refused before the dialog closes.
class ArcConvertDialog : public OptionsDialog {
 public:
  explicit ArcConvertDialog(const ArcConvertOptions& options, QWidget* parent = nullptr);

  // The values of the fields after OK, the ones the dialog was opened with otherwise.
  const ArcConvertOptions& values() const { return options_; }

 private:
  bool TakeFields() override;

  ArcConvertOptions options_;
  QButtonGroup* direction_;
  NumberField* arcTolerance_;
  NumberField* maxArcPoints_;
  NumberField* minRadius_;
  NumberField* maxRadius_;
  QCheckBox* filterFirst_;
  NumberField* filterTolerance_;
  QCheckBox* planeXY_;
  QCheckBox* planeYZ_;
  QCheckBox* planeZX_;
};

}  // namespace fendo
