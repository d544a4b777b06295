#pragma once

#include "app/dialogs/checked_dialog.h"
#include "output/nc_output_options.h"

class QCheckBox;
class QPlainTextEdit;

namespace fendo {

class NumberField;
class PathButton;

// The output dialog of "Ncdata로 저장": where the program goes, the source whose start and end
// part may be reused, the header numbers, the output form and the comment. Incremental output
// and the Heidenhain form exclude each other: ticking one while the other is ticked is refused
// with a message and the box just ticked is unticked.
class NcOutputDialog : public CheckedDialog {
 public:
  // `ncFilter` is the file filter of NC data the two browse buttons use.
  NcOutputDialog(const NcOutputOptions& options, const QString& ncFilter, QWidget* parent = nullptr);

  // The options of the fields after OK, the ones the dialog was opened with otherwise.
  const NcOutputOptions& values() const { return options_; }

 private:
  bool TakeFields() override;
  // Unticks `ticked` when `other` is ticked too, and says why.
  void RefuseBothForms(QCheckBox* ticked, QCheckBox* other);

  NcOutputOptions options_;
  PathButton* output_;
  PathButton* source_;
  NumberField* spindle_;
  QCheckBox* sequenceNumbers_;
  QCheckBox* machiningInfo_;
  QCheckBox* toolChange_;
  NumberField* toolNumber_;
  NumberField* lengthOffset_;
  QCheckBox* programNumberOn_;
  NumberField* programNumber_;
  QCheckBox* heidenhain_;
  QCheckBox* ijkToR_;
  QCheckBox* incremental_;
  QCheckBox* diagonalRapidCheck_;
  QCheckBox* useSourceStartEnd_;
  QCheckBox* openEditor_;
  QPlainTextEdit* comment_;
};

// The caption of the message that refuses incremental output in the Heidenhain form.
inline constexpr char kExclusionCaption[] = " Message";

}  // namespace fendo
