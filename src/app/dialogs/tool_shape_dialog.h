#pragma once

#include "app/dialogs/checked_dialog.h"
#include "view/tool_shape.h"

class QButtonGroup;

namespace fendo {

class NumberField;

// "공구형상": the tool the view draws and moves in the tool simulation. The corner radius is
// typed only for a bull nose cutter; a flat end mill has none and a ball's is its radius, so
// the values given back always describe the tool chosen.
class ToolShapeDialog : public CheckedDialog {
 public:
  explicit ToolShapeDialog(const ToolShape& tool, QWidget* parent = nullptr);

  // The tool of the fields after OK, the one the dialog was opened with otherwise.
  const ToolShape& values() const { return tool_; }

 private:
  bool TakeFields() override;
  ToolType ChosenType() const;
  // Shows the corner radius the chosen type implies, or the bull nose's own for typing.
  void ShowCornerOf(ToolType type);

  ToolShape tool_;
  QButtonGroup* types_;
  NumberField* radius_;
  NumberField* cornerRadius_;
  NumberField* fluteLength_;
  NumberField* shankLength_;
  QString bullNoseCorner_;  // the bull nose's corner radius as typed, kept while another type is shown
};

}  // namespace fendo
