#pragma once

namespace fendo {

class CFendoView;

// "공구경로 체크": the pre-flight check of the work layer's program, with the machine settings
// of the feed optimizer's slot, shown in its dialog; a double click on a finding centres its
// record in the view and selects it.
void PreflightCheckCommand(CFendoView& view);

}  // namespace fendo
