#pragma once

#include <string_view>

namespace fendo {

class ToolpathDatabase;
class UserPrompts;

// The question asked before the paths of one tool are appended to a layer of another.
inline constexpr std::string_view kLayerToolsDifferText =
    " Source layer와 target layer의 공구가 같지않습니다. \n 작업을 진행하겠습니까!!!";
inline constexpr std::string_view kLayerToolsDifferCaption = "Fendo message";

enum class LayerCopy { Copied, Cancelled, NoMemory };

// "Layer 공구경로 복사": appends the paths of layer `source` behind those of layer `target`
// (both user layers, which the caller has made sure of). When the source holds records and its
// tool differs from the target's, `prompts` is asked first; Cancel changes nothing. The work
// buffer is saved into its slot first when it is the source or the target, and reloaded when
// it is the target, so the copy is seen at once.
LayerCopy CopyLayerToolpath(ToolpathDatabase& db, int source, int target, UserPrompts& prompts);

}  // namespace fendo
