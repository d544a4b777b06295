#pragma once

#include "app/dialogs/options_dialog.h"
#include "edit/plunge.h"

class QButtonGroup;
class QCheckBox;

namespace fendo {

// CPlungeDlg, "플런지 조건을 입력하시요!!": how the plunge change builds the entries into the
// paths: the method, the angle plunge's scope and ramp, the circular and the straight-groove
// entries, the rapid height, passing machined points, the plunge feed and the selection. OK
// takes every field and holds the values to what the change can work with: a value out of its
// range, or a pitch angle that gives the entry no descent, is refused on its field and the
// dialog stays open.
class CPlungeDlg : public OptionsDialog {
 public:
  explicit CPlungeDlg(const PlungeParams& params, QWidget* parent = nullptr);

  const PlungeParams& values() const { return params_; }

 private:
  bool TakeFields() override;

  PlungeParams params_;
  QButtonGroup* method_;
  QButtonGroup* scope_;
  NumberField* length_;
  NumberField* zAngle_;
  NumberField* xyAngle_;
  QCheckBox* newRapidHeight_;
  NumberField* rapidHeight_;
  QCheckBox* passMachined_;
  NumberField* machinedClearance_;
  NumberField* circleRadius_;
  NumberField* circleLength_;
  NumberField* circlePitch_;
  NumberField* circleDepth_;
  NumberField* groovePlungeLength_;
  NumberField* grooveLength_;
  NumberField* grooveDepth_;
  NumberField* groovePitch_;
  QCheckBox* usePlungeFeed_;
  NumberField* plungeFeed_;
  QCheckBox* selectedOnly_;
};

}  // namespace fendo
