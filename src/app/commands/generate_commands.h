#pragma once

namespace fendo {

class CFendoView;

// The commands of "2D 공구경로 생성" that make toolpaths from typed numbers: each opens its
// dialog on the values entered last (kept for the life of the program), appends the pattern
// behind the work buffer's records with one undo snapshot and redraws. They say how many
// levels the offsets left out, that values which make no pass changed nothing, and
// "Memory를 할당할 수 없습니다!!!" when the result would not fit.

// "Pocket": PocketDialog ("Pocket "), then GeneratePocket.
void GeneratePocketCommand(CFendoView& view);
// "Profile": ProfileDialog ("Profile Dialog"), then GenerateProfile.
void GenerateProfileCommand(CFendoView& view);
// "Face": FaceDialog ("FaceMill"), then GenerateFace.
void GenerateFaceCommand(CFendoView& view);

}  // namespace fendo
