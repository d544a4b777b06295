#pragma once

#include "app/dialogs/checked_dialog.h"
#include "config/system_settings.h"
#include "output/post_processor.h"
#include "output/post_template.h"

class QCheckBox;

namespace fendo {

class NumberField;
class PathButton;

// "NC DATA 출력", the dialog of the post-processor: the template (picked from PostDir, its
// sections edited here, opened in the editor or saved to a file of its own), the output file
// and the numbers the template's $S, $T and $O write. The template is edited in place: a
// template picked or a section edited stays so even when the dialog is cancelled, as the run
// that opened it then ends.
class PostOutputDialog : public CheckedDialog {
 public:
  // `settings` give PostDir and the editor; `ncFilter` is the file filter of NC data.
  PostOutputDialog(PostTemplate& postTemplate, const PostOutputOptions& options, const SystemSettings& settings,
                   const QString& ncFilter, QWidget* parent = nullptr);

  // The options of the fields after OK, the ones the dialog was opened with otherwise.
  const PostOutputOptions& values() const { return options_; }

 private:
  bool TakeFields() override;
  QString ChooseTemplate(const QString& current);
  void EditSection(TemplateSectionId id, const QString& title);
  void OpenTemplateInEditor();
  void SaveTemplateAs();

  PostTemplate& template_;
  PostOutputOptions options_;
  const SystemSettings& settings_;
  PathButton* templateFile_;
  PathButton* output_;
  NumberField* spindle_;
  QCheckBox* toolChange_;
  NumberField* toolNumber_;
  QCheckBox* programNumberOn_;
  NumberField* programNumber_;
};

}  // namespace fendo
