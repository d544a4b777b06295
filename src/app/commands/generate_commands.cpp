#include "app/commands/generate_commands.h"

#include <string>

#include "app/commands/view_edit_report.h"
#include "app/dialogs/checked_dialog.h"
#include "app/dialogs/face_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/dialogs/pocket_dialog.h"
#include "app/dialogs/profile_dialog.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"

namespace fendo {
namespace {

constexpr std::string_view kGenerateCaption = " Message";

// What a generator did, told over the view: the levels left out, values that made no pass,
// the no-room message, and the redraw after a change.
void ReportGenerated(CFendoView& view, const GenerateResult& result) {
  MessageBoxPrompts prompts(&view);
  if (result.outcome == EditOutcome::Unchanged) {
    prompts.Message("이 값으로는 가공할 경로가 없어 공구경로를 바꾸지 않았습니다.", kGenerateCaption, PromptIcon::Warning);
    return;
  }
  ReportEdit(result.outcome, view, prompts);
  if (result.outcome == EditOutcome::Changed && result.levelsLeftOut > 0) {
    const std::string text = std::to_string(result.levelsLeftOut) +
                             "개 높이는 Offset과 taper로 가공할 곳이 없어 빠졌습니다.";
    prompts.Message(text, kGenerateCaption, PromptIcon::Information);
  }
}

}  // namespace

void GeneratePocketCommand(CFendoView& view) {
  PocketParams& params = view.app().Remembered<PocketParams>();
  if (!EditInDialog<PocketDialog>(params, &view)) return;
  const GenerateResult result = GeneratePocket(view.database(), params);
  params = PocketFieldsAfterRun(params);
  ReportGenerated(view, result);
}

void GenerateProfileCommand(CFendoView& view) {
  ProfileParams& params = view.app().Remembered<ProfileParams>();
  if (!EditInDialog<ProfileDialog>(params, &view)) return;
  ReportGenerated(view, GenerateProfile(view.database(), params));
}

void GenerateFaceCommand(CFendoView& view) {
  FaceParams& params = view.app().Remembered<FaceParams>();
  if (!EditInDialog<FaceDialog>(params, &view)) return;
  ReportGenerated(view, GenerateFace(view.database(), params));
}

}  // namespace fendo
