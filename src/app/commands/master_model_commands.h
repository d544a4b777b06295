#pragma once

#include <filesystem>

namespace fendo {

class CFendoView;

// The master model commands of the "Qel 마스터 모델" menu. The model is the view's
// (masterModel()); "마스타 모델 보기" shows it, and each command that gives the view a model
// turns the display on, as one that takes it away turns it off.

// Replaces the view's master model by the one in `path`. A file that cannot be read leaves
// the view without one: the user is told, and the answer is false.
bool LoadMasterModel(CFendoView& view, const std::filesystem::path& path);

// "생성": the "Master Model" dialog, then the model built from the view's toolpath,
// which makes way for it.
void CreateMasterModelCommand(CFendoView& view);
// "삭제": after the user's OK, the view has no master model.
void DeleteMasterModelCommand(CFendoView& view);
// "저장": the view's master model written to a *.mma file.
void SaveMasterModelCommand(CFendoView& view);
// "불러오기": the master model of a *.mma file.
void LoadMasterModelCommand(CFendoView& view);

}  // namespace fendo
